// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "displaycheck.h"

// A Qt that opens no X11 windows (Windows) finds its own screen.
DisplayCheck::DisplayCheck() = default;
DisplayCheck::~DisplayCheck() = default;
