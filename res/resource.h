#pragma once
// Identifiers shared by the resource script, the program and its tests. The
// resource compiler reads this file too: plain #defines only.

#define VANTREL_VERSION_MAJOR 1
#define VANTREL_VERSION_MINOR 0
#define VANTREL_VERSION_TEXT "1.0"

#define IDI_MAIN 1

// Main menu commands (WM_COMMAND identifiers of the main window).
#define IDM_OPEN 101
#define IDM_SAVE 102
#define IDM_EXIT 103
#define IDM_OPTIONS 104
#define IDM_HELP 105
#define IDM_ABOUT 106
#define IDM_PROGRAMS 107
#define IDM_CHORDS 108

// Tray menu commands.
#define IDM_TRAY_SETTINGS 201
#define IDM_TRAY_EXIT 202

// Main window controls. The row controls of entry e carry the row's id plus e.
#define IDC_FSGAXIS 900
#define IDC_FSGBUTTONS 901
#define IDC_BTNGUP 902
#define IDC_BTNGDOWN 903
#define IDC_BTNAUP 904
#define IDC_BTNADOWN 905
#define IDC_STLAYER 906
#define IDC_CBLAYER 907
#define IDC_BTNJOY 1000
#define IDC_STJOY 1100
#define IDC_CHBJOY 1200

// Controls of the binding dialogs. OK and Cancel are IDOK and IDCANCEL.
#define IDC_BTNEMULKEY 301
#define IDC_BTNEMULCLICK 302
#define IDC_BTNRUN 303
#define IDC_BTNCHANGEINI 304
#define IDC_CBSHIFT 311
#define IDC_LABEL1 312
#define IDC_STKEY 313
#define IDC_CBSELECT 314
#define IDC_CHBSPECKEY 315
#define IDC_CBACTION 321
#define IDC_BTNADD 331
#define IDC_BTNREMOVE 332
#define IDC_BTNUP 333
#define IDC_BTNDOWN 334
#define IDC_BTNCLEAR 335
#define IDC_LBINI 336
#define IDC_BTNLAYER 305
#define IDC_BTNSAMEASBELOW 306
#define IDC_BTNNOTHING 307
#define IDC_BTNREMOVEPART 308
// The action dialog's Press, Hold and Double tap, in the order of EntryEditor::Part.
#define IDC_RBPART 316
#define IDC_CBLAYERCHOICE 351
#define IDC_EDLAYERNAME 352
#define IDC_GROUPMODE 353
// The mode buttons of the layer dialog, in the order of kLayerModes.
#define IDC_RBMODE 355

// Controls of the options window. Stepper s (in the order of the Stepper
// enumeration) has its display at IDC_STEPPER + s, its up button at
// IDC_STEPUP + s and its down button at IDC_STEPDOWN + s.
#define IDC_GROUPLNG 401
#define IDC_GROUPGENERAL 402
#define IDC_GROUPJOYSTICK 403
#define IDC_CBLNG 404
#define IDC_CHBAUTORUN 405
#define IDC_CHBMINIMIZE 406
#define IDC_CHBPOPUP 407
#define IDC_BTNPOPUPPOS 408
#define IDC_BTNAUTODETECT 409
#define IDC_LBSHOWTIME 410
#define IDC_CBCONTROLLER 411
#define IDC_CHBSCANCODES 412
#define IDC_CHBLAYERINDICATOR 413
#define IDC_GROUPPRESSES 414
#define IDC_STEPPER 420
#define IDC_STEPUP 440
#define IDC_STEPDOWN 460

// Controls of the programs dialog.
#define IDC_LBRULES 341
#define IDC_CBPROGRAM 342
#define IDC_BTNRULEADD 343
#define IDC_BTNRULEPROFILE 344
#define IDC_BTNRULEOFF 345
#define IDC_BTNRULEREMOVE 346

// Controls of the chords dialog; the pick lists are IDC_CBCHORDENTRY + 0..2.
#define IDC_LBCHORDS 371
#define IDC_BTNCHORDADD 372
#define IDC_BTNCHORDREMOVE 373
#define IDC_CBCHORDENTRY 375

// The Help window's text and the About window's links.
#define IDC_FSMEMO1 501
#define IDC_LBMAIL 502
#define IDC_LBURL 503
