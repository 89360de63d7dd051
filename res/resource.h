// Resource ids shared by the templates and the code.
#pragma once

#define IDD_PRICELIST   102
#define IDR_MAINFRAME   128
#define IDD_COLUMNPICK  129
#define IDD_ROWINFO     130
#define IDI_PRINT       131
