#pragma once

// Resource ids and version numbers shared by resource.rc and the code that loads the resources.
// Plain macros only: windres reads this file too.

#define QF_VERSION_MAJOR 1
#define QF_VERSION_MINOR 0
#define QF_VERSION_PATCH 0
#define QF_VERSION_BUILD 0
#define QF_VERSION_TEXT "1.0.0.0"

#define IDR_BG_WHITE1 101
#define IDR_BG_BLUE1 102
#define IDR_BG_GREEN1 103
#define IDR_BG_RED1 104
#define IDR_BG_YELLOW1 105
#define IDR_BG_X1 106
#define IDR_BAR_BLUE2 111
#define IDR_BAR_GREEN2 112
#define IDR_BAR_RED2 113
#define IDR_BAR_YELLOW2 114
#define IDR_BAR_X2 115

#define IDR_WAVE_PAGE_TURN 201
#define IDR_WAVE_DELETE 202
