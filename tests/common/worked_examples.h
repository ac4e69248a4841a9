// The worked examples every test suite computes: the single-pile capacity
// and the settlement, which share the pile and its layout.
#pragma once

#include "model/project_data.h"

#include <ctime>

// D 1.0, d 0.5, H 2, L 10, square layout at 2.0 m (de 2.26): one head layer
// of 2.0 m (qs 10) and one shaft layer of 8.0 m (qs 12).
ProjectData capacityExample();

// The same piles under a fill of B 10, h 3, m = n = 1.5, gamma 19, with the
// shaft split into two 4.0 m layers of qs 12 (the same Ra) and three base
// layers of 3, 5 and 10 m.
ProjectData settlementExample();

std::tm fixedSaveTime();  // 2009-05-17 14:03
