#include "model/project_data.h"

#include <algorithm>
#include <cmath>

ProjectData g_project{};

bool nearlyEqual(double a, double b) { return !(std::fabs(a - b) >= 1e-7); }

int usedLayers(int count) { return std::clamp(count, 0, kMaxLayers); }

double sumLayers(const LayerTable& table, int count)
{
    double sum = 0.0;
    for (int i = 1; i <= usedLayers(count); ++i)
        sum += table[i];
    return sum;
}
