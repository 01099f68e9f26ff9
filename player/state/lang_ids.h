#pragma once

// Numbers of the language table's entries the program shows (entry n is line n + 1 of
// English.lang and japanese.lang). Texts with "%1" take a value through ReplacePlaceholder.
namespace kirivane {

// Titles and the about box.
inline constexpr int kLangAppTitle = 0;
inline constexpr int kLangPercussionTitle = 1;  // the caption while the percussion set plays
inline constexpr int kLangAboutSummary = 2;
inline constexpr int kLangAboutDescription = 3;
inline constexpr int kLangAboutFirstLink = 4;
inline constexpr int kLangAboutSecondLink = 5;
inline constexpr int kLangOk = 6;
inline constexpr int kLangCancel = 7;
inline constexpr int kLangHookTitleSuffix = 8;  // caption end while the key monitor is on
inline constexpr int kLangCompactTitle = 9;
inline constexpr int kLangBarTitle = 10;             // the 128-key bar
inline constexpr int kLangPerformanceTypeName = 11;  // the ".lyr" file type's name
inline constexpr int kLangMapperDevice = 12;         // first line of the device list
inline constexpr int kLangRandomKeysTitleSuffix = 186;
inline constexpr int kLangAboutCaption = 190;
inline constexpr int kLangAboutLinksLabel = 191;
inline constexpr int kLangAssociationOff = 192;  // about box check box, not registered
inline constexpr int kLangAssociationOn = 193;   // about box check box, registered
inline constexpr int kLangAboutDisclaimer = 194;
inline constexpr int kLangAboutHelpHint = 195;

// Fonts: names, and sizes as the entry's leading number.
inline constexpr int kLangControlFont = 13;
inline constexpr int kLangLabelFontSize = 15;
inline constexpr int kLangListFontSize = 16;
inline constexpr int kLangComboFontSize = 17;
inline constexpr int kLangFormFont = 18;
inline constexpr int kLangFormFontSize = 19;

// Instruments: 128 entries from here, "name<TAB>bank:variation,...".
inline constexpr int kLangFirstInstrument = 20;

// Labels of the window's panels.
inline constexpr int kLangInstrumentLabel = 150;
inline constexpr int kLangBendLabel = 151;
inline constexpr int kLangMidiOutLabel = 152;
inline constexpr int kLangChordLabel = 153;
inline constexpr int kLangLabelColon = 154;
inline constexpr int kLangOctaveLabel = 155;
inline constexpr int kLangTransposeLabel = 156;
inline constexpr int kLangSpeedHalf = 157;
inline constexpr int kLangSpeedNormal = 158;
inline constexpr int kLangSpeedDouble = 159;
inline constexpr int kLangSpeedOneAndHalf = 160;
inline constexpr int kLangHookShortCaption = 183;  // the key monitor button, compact
inline constexpr int kLangHookOffCaption = 184;
inline constexpr int kLangHookOnCaption = 185;
inline constexpr int kLangPlayingNote = 187;
inline constexpr int kLangRecordingNote = 188;
inline constexpr int kLangFarewellFirst = 282;  // the keyboard's last words at close
inline constexpr int kLangFarewellSecond = 283;

// Menus.
inline constexpr int kLangMenu = 163;
inline constexpr int kLangVariationMenu = 164;
inline constexpr int kLangKeyMapMenu = 165;
inline constexpr int kLangKeyMapStandard = 166;
inline constexpr int kLangKeyMapModified = 167;
inline constexpr int kLangKeyMapPositional = 168;
inline constexpr int kLangKeyMapOpenItem = 169;
inline constexpr int kLangPerformanceOpenItem = 170;
inline constexpr int kLangPerformanceSaveItem = 171;
inline constexpr int kLangChordListItem = 172;
inline constexpr int kLangOptionsItem = 173;
inline constexpr int kLangPanelsMenu = 174;
inline constexpr int kLangRecordPanelItem = 175;
inline constexpr int kLangSwitchControllerItem = 176;
inline constexpr int kLangTopmostItem = 177;
inline constexpr int kLangVolumeControlItem = 178;
inline constexpr int kLangAboutItem = 179;
inline constexpr int kLangExitItem = 180;
inline constexpr int kLangResetMenu = 287;
inline constexpr int kLangFirstResetItem = 288;  // GM, GS, XG reset follow one another
inline constexpr int kLangScoreViewItem = 349;

// Tool tips.
inline constexpr int kLangTitleTip = 196;
inline constexpr int kLangAuthorTip = 197;
inline constexpr int kLangDeviceSwitchTip = 199;
inline constexpr int kLangNoAuthorTip = 225;
inline constexpr int kLangNoTitleTip = 226;
inline constexpr int kLangPercussionTip = 227;
inline constexpr int kLangChordKeysTip = 277;
inline constexpr int kLangChordPadTip = 279;
inline constexpr int kLangResetSoundTip = 304;
inline constexpr int kLangExitTip = 305;
inline constexpr int kLangOptionsHelpTip = 316;
inline constexpr int kLangChordHelpTip = 317;
inline constexpr int kLangXmasControllerSwitchTip = 182;
inline constexpr int kLangControllerSwitchTip = 222;
inline constexpr int kLangLeftDecorationTip = 228;   // drag to move the window
inline constexpr int kLangRightDecorationTip = 229;  // drag to move the window
inline constexpr int kLangChordSelectTip = 278;
inline constexpr int kLangOptionsPadTip = 303;
inline constexpr int kLangRecordPanelTip = 306;
inline constexpr int kLangLyrconTip = 311;

// The chord dialog.
inline constexpr int kLangChordDialogCaption = 200;
inline constexpr int kLangChordHelpFrame = 218;
inline constexpr int kLangChordHelpText = 219;
inline constexpr int kLangChordShownLabel = 220;
inline constexpr int kLangChordInversion = 221;

// File choosers.
inline constexpr int kLangKeyMapFilter = 198;
inline constexpr int kLangKeyMapOpenTitle = 302;

// Messages on the keyboard.
inline constexpr int kLangProgressBefore = 280;
inline constexpr int kLangProgressAfter = 281;
inline constexpr int kLangDrawingOff = 284;  // the key monitor is on: the keyboard is not drawn
inline constexpr int kLangWaitLarge = 285;
inline constexpr int kLangWaitBar = 286;

// Message boxes.
inline constexpr int kLangPercussionNoticeTitle = 318;
inline constexpr int kLangPercussionNotice = 319;
inline constexpr int kLangFileErrorTitle = 320;
inline constexpr int kLangNothingToSave = 324;
inline constexpr int kLangScreenTooSmall = 322;
inline constexpr int kLangNoPerformance = 323;
inline constexpr int kLangTimeLimitTitle = 325;
inline constexpr int kLangTimeLimitText = 326;
inline constexpr int kLangAssociationFailTitle = 327;
inline constexpr int kLangAssociationFailText = 328;
inline constexpr int kLangEventLimitTitle = 329;
inline constexpr int kLangEventLimitText = 330;
inline constexpr int kLangChannelTenKept = 331;
inline constexpr int kLangDefaultsTitle = 332;
inline constexpr int kLangDefaultsText = 333;
inline constexpr int kLangNoReadChannelTitle = 334;
inline constexpr int kLangNoReadChannelText = 335;
inline constexpr int kLangFolderChanged = 336;
inline constexpr int kLangNoImportChannel = 337;
inline constexpr int kLangUnsupportedVersion = 338;
inline constexpr int kLangKeyMapErrorTitle = 339;
inline constexpr int kLangKeyMapNotFound = 340;         // %1: the key map file
inline constexpr int kLangReadError = 341;              // %1: the error number
inline constexpr int kLangUnsupportedMidiFormat = 342;  // %1: the format
inline constexpr int kLangChordListError = 344;         // %1: the chord list file
inline constexpr int kLangStandardKeyMapError = 347;    // %1: the program title
inline constexpr int kLangStandardKeyMapErrorTitle = 348;
inline constexpr int kLangNoOutputDevice = 350;

// The record/playback strip and its files.
inline constexpr int kLangTimeJumpTip = 148;
inline constexpr int kLangTempoLabel = 161;
inline constexpr int kLangBeatLabel = 162;
inline constexpr int kLangPerformanceFilter = 298;  // "*.lyr" files
inline constexpr int kLangMidiFilter = 299;         // "*.mid" files
inline constexpr int kLangSaveDialogTitle = 300;
inline constexpr int kLangOpenDialogTitle = 301;
inline constexpr int kLangSpeedTip = 307;
inline constexpr int kLangStopTip = 308;
inline constexpr int kLangRecordTip = 309;
inline constexpr int kLangPlayTip = 310;
inline constexpr int kLangLoopTip = 312;
inline constexpr int kLangSaveTip = 313;
inline constexpr int kLangOpenTip = 314;
inline constexpr int kLangMetronomeTip = 315;
inline constexpr int kLangAnyPerformanceFilter = 321;  // "*.lyr" and "*.mid" files
inline constexpr int kLangVolumeZeroQuestion = 346;

// MIDI input.
inline constexpr int kLangMidiInCaption = 356;
inline constexpr int kLangMidiInNone = 357;
inline constexpr int kLangMidiInOpenFailed = 358;  // %1: the port
inline constexpr int kLangMidiInLost = 359;        // %1: the port

}  // namespace kirivane
