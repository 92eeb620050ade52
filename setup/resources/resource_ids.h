// Identifiers of setup's resources, shared by the resource scripts and the
// dialog procedures.
#ifndef SETUP_RESOURCES_RESOURCE_IDS_H
#define SETUP_RESOURCES_RESOURCE_IDS_H

#define IDI_MODEM 101
#define IDD_WELCOME 102
#define IDD_RESTART 103
#define IDD_PROGRESS 104

#define IDC_WELCOME_TEXT 1000
#define IDC_RESTART_TEXT 1001
#define IDC_PROGRESS_TEXT 1002
#define IDC_PROGRESS_BAR 1011

#define IDS_WELCOME 1
#define IDS_RESTART 2
#define IDS_PROGRESS 3

#endif
