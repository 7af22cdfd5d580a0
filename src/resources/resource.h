#pragma once
// Ids shared by the resource script and the code; macros, because the resource compiler reads them.

#define IDI_APP 1

#define IDC_GUTTER 102
#define IDC_EDITOR 103
#define IDC_STATUSBAR 109
#define IDC_TOOLBAR 200

// Toolbar buttons
#define IDT_NEW 201
#define IDT_OPEN 202
#define IDT_SAVE 203
#define IDT_PRINT 204
#define IDT_CUT 205
#define IDT_COPY 206
#define IDT_PASTE 207
#define IDT_FIND 208
#define IDT_REPLACE 209
#define IDT_SETBOOKMARK 210
#define IDT_NEXTBOOKMARK 211
#define IDT_RUNBROWSER 212

// Menus, accelerators and the editor's context menu
#define IDM_NEW 301
#define IDM_OPEN 302
#define IDM_SAVE 303
#define IDM_SAVEAS 304
#define IDM_PRINT 305
#define IDM_EXIT 307
#define IDM_RECENT1 308
#define IDM_RECENT2 309
#define IDM_RECENT3 310
#define IDM_RECENT4 311
// File > Encoding, in the order of enum Encoding
#define IDM_ENCODING_ANSI 312
#define IDM_ENCODING_UTF8 313
#define IDM_ENCODING_UTF8BOM 314
#define IDM_ENCODING_UTF16LE 315
#define IDM_ENCODING_UTF16BE 316
#define IDM_UNDO 321
#define IDM_SELECTALL 322
#define IDM_CUT 323
#define IDM_COPY 324
#define IDM_PASTE 325
#define IDM_YANKLINE 326
#define IDM_WORDWRAP 327
#define IDM_PREFERENCES 328
#define IDM_FIND 331
#define IDM_FINDNEXT 332
#define IDM_FINDPREV 333
#define IDM_REPLACE 334
#define IDM_SETBOOKMARK 335
#define IDM_NEXTBOOKMARK 336
#define IDM_PREVBOOKMARK 337
#define IDM_CLEARBOOKMARKS 338
#define IDM_GOTOLINE 339
#define IDM_HTMLSCRIPT 341
#define IDM_JSHEADER 342
#define IDM_ADDCOMMENT 343
#define IDM_HTMLTAGS 344
#define IDM_RUNBROWSER 345
#define IDM_HELPCONTENT 351
#define IDM_ABOUT 352
#define IDM_COPYLINE 361
#define IDM_PASTELINE 362

// Posted at the end of start-up: clears the editor's modified flag once the window is up.
#define WM_TESS_CLEARMODIFIED (WM_USER + 500)
// Posted when the main window becomes active: the document's file is looked at once activation is over.
#define WM_TESS_CHECKFILE (WM_USER + 501)
