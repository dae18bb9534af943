# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later

# Read by cpack before it packs (CPACK_PROJECT_CONFIG_FILE): every time in the
# .deb (the files', the archives' own) is the one the build chose in
# packaging/CMakeLists.txt, not the time of packing.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    set(ENV{SOURCE_DATE_EPOCH} ${CPACK_ZORBELIN_EPOCH})
endif()
