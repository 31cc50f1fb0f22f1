/* Control ids of the dialog templates (resources/dialogs.rc) and of the code
   that runs them. Plain #defines: the resource compiler reads this file too. */
#ifndef OSTREL_DIALOG_IDS_H
#define OSTREL_DIALOG_IDS_H

/* "DEVICES_DLG", MIDI Setup */
#define IDC_DEVICES_FRAME 10
#define IDC_DEVICE_INPUTS 1652
#define IDC_DEVICE_OUTPUTS 1653
#define IDC_DEVICE_NUMBER 1654

/* "ABOUT_DLG" */
#define IDC_ABOUT_TITLE 103
#define IDC_ABOUT_SUBTITLE 104

/* "PREFERENCES_DLG" */
#define IDC_PREF_UNDO_LEVELS 201
#define IDC_PREF_INIT_NAMES 202
#define IDC_PREF_ALL_ROM 203
#define IDC_PREF_ASK_SEND 204

/* "SEND_BANK_DLG", the question before a whole-bank send */
#define IDC_SEND_QUESTION 301
#define IDC_SEND_DONT_ASK 302

/* "COMPARE_DLG", Compare With */
#define IDC_COMPARE_BANKS 301
#define IDC_COMPARE_PRESETS 302
#define IDC_COMPARE_FOLLOW 303

#endif
