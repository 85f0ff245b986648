// Resource ids of the installer.
#pragma once

// Dialog templates
#define IDD_ABOUTBOX 100
#define IDD_DECOMPRESS 101
#define IDD_SETUP 102
#define IDD_FOLDER 136

// Strings
#define IDS_ABOUTBOX 101

// Icon, logo, animation
#define IDR_MAINFRAME 128
#define IDB_LOGO 169
#define IDR_AVI_WORKING 162

// System menu command of the About entry
#define IDM_ABOUTBOX 0x0010

// Main dialog controls
#define IDC_VIEW_NFO 1000
#define IDC_VIEW_FILEID 1001
#define IDC_APP_TITLE 1002
#define IDC_REMOVE_DIR 1004
#define IDC_INSTALL 1005
#define IDC_VIEW_LOG 1025
#define IDC_LOGO 1030

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Folder dialog (template 136) controls
#define IDC_FOLDER_EDIT 1014
#define IDC_BROWSE 1015
#define IDC_SPACE_AVAILABLE 1016
#define IDC_SPACE_REQUIRED 1017

// Decompression dialog (template 101) controls
#define IDC_ANIMATION 1018
#define IDC_DESTINATION 1021
#define IDC_SOURCE 1022
#define IDC_PROGRESS 1024
