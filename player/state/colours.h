#pragma once

// The colours of the window, named for what shows them. The keyboard's own colours (key bodies,
// held keys, the surface text) are in common/keyboard/kenban_cells.h, shared with the editor.
namespace kirivane {

struct Rgb {
  int red = 0;
  int green = 0;
  int blue = 0;
};

// A Windows RGB value (red in the low byte), as the views receive the colours of labels.
constexpr int WindowsRgb(Rgb c) {
  return c.red | (c.green << 8) | (c.blue << 16);
}

inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kWhite{255, 255, 255};

// Labels the controllers colour, as Windows RGB values.
inline constexpr int kColourPlaying = WindowsRgb(kBlue);   // Label7 while a performance plays
inline constexpr int kColourRecording = WindowsRgb(kRed);  // Label7 while a take runs
inline constexpr int kColourSystemButtonText = static_cast<int>(0x80000012u);  // the system's
inline constexpr int kColourSpeedNormal = WindowsRgb({99, 176, 107});          // x1.0, green
inline constexpr int kColourSpeedDouble = WindowsRgb(kBlue);
inline constexpr int kColourSpeedOneAndHalf = WindowsRgb({78, 153, 255});
inline constexpr int kColourSpeedHalf = WindowsRgb(kRed);
inline constexpr int kColourBendUp = WindowsRgb(kRed);     // the bend label at 65 and above
inline constexpr int kColourBendDown = WindowsRgb(kBlue);  // the bend label below 65
inline constexpr int kColourHookOff = WindowsRgb({232, 250, 255});  // key monitor button, pale
inline constexpr int kColourHookOn = WindowsRgb({255, 145, 125});   // key monitor button, salmon
// The damper lamp (Shape1): border and fill while the damper is down, up, or up with the
// percussion set; the seasonal look has its own colours for down.
inline constexpr int kColourLampDownBorder = 12332382;
inline constexpr int kColourLampDownFill = 16749229;
inline constexpr int kColourLampDownXmasBorder = 19755;
inline constexpr int kColourLampDownXmasFill = 4229478;
inline constexpr int kColourLampUpBorder = 16750926;
inline constexpr int kColourLampUpFill = 16768401;
inline constexpr int kColourLampUpPercussionBorder = 3718655;
inline constexpr int kColourLampUpPercussionFill = 10155263;

// The form's background gradient, top to bottom; the seasonal look is green.
inline constexpr Rgb kFormTop{236, 242, 252};
inline constexpr Rgb kFormBottom{206, 218, 240};
inline constexpr Rgb kSeasonalFormTop{236, 250, 240};
inline constexpr Rgb kSeasonalFormBottom{200, 232, 210};
// The title strip's gradient, left to right.
inline constexpr Rgb kStripLeft{214, 226, 246};
inline constexpr Rgb kSeasonalStripLeft{214, 238, 220};

// Texts and faces of the window's own artwork.
inline constexpr Rgb kNavy{44, 74, 128};          // titles, chord pad digits, the note icon
inline constexpr Rgb kSubtitle{74, 90, 120};      // the line under the title
inline constexpr Rgb kVersionText{90, 106, 144};  // Label12_0
inline constexpr Rgb kSwitchFace{58, 79, 122};    // Command1 in the full window
inline constexpr Rgb kResetButtonFace{46, 120, 196};
inline constexpr Rgb kExitButtonFace{196, 52, 60};
inline constexpr Rgb kChordPadEdge{60, 80, 130};
inline constexpr Rgb kChordPadBody{70, 96, 150};
inline constexpr Rgb kDrumEdge{110, 30, 30};
inline constexpr Rgb kDrumBody{200, 60, 60};
inline constexpr Rgb kDrumHead{245, 240, 225};
inline constexpr Rgb kDrumSticks{120, 80, 40};
inline constexpr Rgb kFirstCharacterSkin{255, 196, 120};
inline constexpr Rgb kSecondCharacterSkin{150, 210, 255};
inline constexpr Rgb kEyes{40, 40, 60};
inline constexpr Rgb kFaceEdge{120, 80, 20};
inline constexpr Rgb kFace{255, 214, 90};
inline constexpr Rgb kFaceFeatures{60, 40, 20};

// The score panel.
inline constexpr Rgb kScoreFrame{150, 170, 205};
inline constexpr Rgb kScorePaper{252, 252, 246};
inline constexpr Rgb kStaffLines{60, 60, 70};
inline constexpr Rgb kNoteHead{30, 40, 70};

}  // namespace kirivane
