/* Resource identifiers, shared by the resource script and the code that loads them. Plain
   preprocessor definitions only: the resource compiler reads this file too. */
#pragma once

#define IDI_SENDLARK 1

/* Toolbar image strips, three square images each, for 96, 120, 144 and 192 DPI. */
#define IDB_TOOLBAR16 101
#define IDB_TOOLBAR20 102
#define IDB_TOOLBAR24 103
#define IDB_TOOLBAR32 104
