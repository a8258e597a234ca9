// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QFont;

namespace window {

// Times New Roman, 12 pt, regular; where it is not installed, the metric-compatible
// Liberation Serif, asked for by name.
QFont WindowFont();

}  // namespace window
