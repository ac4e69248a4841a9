#include "app.h"

int main(int argc, char** argv)
{
    CApp app(argc, argv);
    return app.InitInstance();
}
