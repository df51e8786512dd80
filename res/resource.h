// Resource identifiers of Ravelo.rc, shared with the program's code.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_ADJUSTER_DIALOG 102
#define IDR_MAINFRAME 128
#define IDM_ABOUTBOX 0x0010

#define IDC_CONVERT 1000
#define IDC_SOURCE 1001
#define IDC_CHOOSE_SOURCE 1002
#define IDC_DESTINATION 1003
#define IDC_CHOOSE_DESTINATION 1004
#define IDC_PROGRESS 1005
#define IDC_RATE_LIST 1006
#define IDC_CONVERTED_COUNT 1008

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
