// The application icon, from the renderings of resources/icons.
#pragma once

#include <QIcon>

QIcon orvaneIcon();
