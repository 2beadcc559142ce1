// Resource ids of the client.
#pragma once

#define IDR_MAINFRAME 128
#define IDR_TRAYMENU 200
#define ID_TRAY_SHOW 201
#define IDS_OLE_INIT_FAILED 100
#define IDD_ABOUTBOX 100
#define IDR_CONFIG_XML 400
#define IDR_SKIN_XML 401
#define IDC_STATIC_ICON 1000
#define IDC_STATIC_TITLE 1001

#ifndef ID_APP_EXIT
#define ID_APP_EXIT 0xE141
#endif
#ifndef ID_APP_ABOUT
#define ID_APP_ABOUT 0xE140
#endif
