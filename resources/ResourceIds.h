// Numbers of the program's embedded resources, shared by VantorPoker.rc and the C++ code.
// Plain #defines: the resource compiler reads this file too.
#ifndef VANTOR_RESOURCE_IDS_H
#define VANTOR_RESOURCE_IDS_H

#define IDI_APP_ICON   1005  // icon group: 16 x 16, 32 x 32, 48 x 48
#define IDB_ABOUT_LOGO 1006  // 163 x 50 logo of the about box
#define IDB_LOGO       1007  // 200 x 50 logo of the game window
#define IDB_CARD_SHEET 1008  // 1260 x 508: 14 x 4 cells of 90 x 127
#define IDW_WIN_SOUND  1009  // type "WAVE": the win chime
#define IDB_PAY_TABLE  1010  // 286 x 76 pay-table picture

#endif
