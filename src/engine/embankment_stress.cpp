#include "model/project_data.h"

#include <cmath>

// Trapezoidal strip load: full intensity over the crest B, falling linearly to
// zero over m h on one side and n h on the other; coefficient on the vertical
// through the middle of the crest.
double ProjectData::embankmentStressFactor(double z) const
{
    constexpr double kInversePi = 0.3183098861837907;
    const double b = embankmentTopWidth;
    const double h = embankmentHeight;

    const double crestAngle = std::atan(b / (2 * z));
    const double toeAngleM = std::atan((b + 2 * slopeM * h) / (2 * z));
    const double toeAngleN = std::atan((b + 2 * slopeN * h) / (2 * z));
    const double g = 2 * b * z / (b * b + 4 * z * z);

    const double slopeTermM = (toeAngleM - crestAngle) * (1 + b / (2 * slopeM * h)) - g;
    const double slopeTermN = (toeAngleN - crestAngle) * (1 + b / (2 * slopeN * h)) - g;
    const double crestTerm =
        2 * crestAngle
        + 4 * b * z * (b * b + 4 * z * z)
              / (16 * b * b * z * z + (4 * z * z - b * b) * (4 * z * z - b * b));
    return (slopeTermM + slopeTermN + crestTerm) * kInversePi;
}
