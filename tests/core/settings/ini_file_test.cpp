#include "player/settings/ini_file.h"

#include <gtest/gtest.h>

namespace kirivane {
namespace {

TEST(IniFile, SectionsAndKeysMatchWithoutCaseAndFirstOccurrenceWins) {
  IniFile file("[option]\nMIDICH = 5 \nmidich=7\n[Window]\ndx=3\n");
  EXPECT_EQ(file.ReadString("Option", "MidiCh"), "5");
  EXPECT_EQ(file.ReadString("WINDOW", "DX"), "3");
  EXPECT_EQ(file.ReadString("Window", "dy"), std::nullopt);
  EXPECT_EQ(file.ReadString("Chord", "dx"), std::nullopt);
}

TEST(IniFile, KeysOfOneSectionDoNotLeakIntoTheNext) {
  IniFile file("[A]\nx=1\n[B]\ny=2\n");
  EXPECT_EQ(file.ReadString("A", "y"), std::nullopt);
  EXPECT_EQ(file.ReadString("B", "x"), std::nullopt);
}

TEST(IniFile, IntegerReadingRules) {
  IniFile file(
      "[S]\nempty=\ntext=abc\nlead=12abc\nneg=-7x\nplus=+5\nhuge=99999999999\nmin=-2147483648\n"
      "blank=  42  \n");
  EXPECT_EQ(file.ReadInt("S", "missing", 9), 9);
  EXPECT_EQ(file.ReadInt("S", "empty", 9), 9);
  EXPECT_EQ(file.ReadInt("S", "text", 9), 0);
  EXPECT_EQ(file.ReadInt("S", "lead", 9), 12);
  EXPECT_EQ(file.ReadInt("S", "neg", 9), -7);
  EXPECT_EQ(file.ReadInt("S", "plus", 9), 0);
  EXPECT_EQ(file.ReadInt("S", "huge", 9), std::nullopt);
  EXPECT_EQ(file.ReadInt("S", "min", 9), -2147483648LL);
  EXPECT_EQ(file.ReadInt("S", "blank", 9), 42);
}

TEST(IniFile, StringsStopAtNulAndAt511Bytes) {
  std::string text = "[S]\nlong=" + std::string(600, 'x') + "\nnul=ab";
  text += '\0';
  text += "cd\n";
  // A cut leaves no blank at the end, so the value reads back the same once written.
  text += "cut= " + std::string(510, 'y') + " z\ntab=a\t";
  text += '\0';
  text += "b\n";
  IniFile file(text);
  EXPECT_EQ(file.ReadString("S", "long")->size(), 511u);
  EXPECT_EQ(file.ReadString("S", "nul"), "ab");
  EXPECT_EQ(file.ReadString("S", "cut"), std::string(510, 'y'));
  EXPECT_EQ(file.ReadString("S", "tab"), "a");
}

TEST(IniFile, ExistingKeyKeepsItsPlaceAndSpelling) {
  IniFile file("; comment\r\n[Option]\r\nLoop=1\r\nmainvol=20\r\nOther=x\r\n");
  file.WriteInt("option", "MainVol", 64);
  EXPECT_EQ(file.Text(), "; comment\r\n[Option]\r\nLoop=1\r\nmainvol=64\r\nOther=x\r\n");
}

TEST(IniFile, NewKeysGoToTheEndOfTheirSectionInOrderOfWriting) {
  IniFile file("[Window]\ndx=1\n\n[Option]\nLoop=1\n");
  file.WriteInt("Window", "dy", 2);
  file.WriteInt("Window", "mx", 3);
  file.WriteString("Option", "FilePath", "/home/a b");
  file.WriteString("Chord", "1Num", "");
  EXPECT_EQ(file.Text(),
            "[Window]\r\ndx=1\r\ndy=2\r\nmx=3\r\n\r\n[Option]\r\nLoop=1\r\nFilePath=/home/a b\r\n"
            "\r\n[Chord]\r\n1Num=\r\n");
}

TEST(IniFile, EmptyFileGetsSectionsInOrderOfWriting) {
  IniFile file;
  file.WriteInt("Window", "dx", -5);
  file.WriteInt("Option", "Device", 0);
  EXPECT_EQ(file.Text(), "[Window]\r\ndx=-5\r\n\r\n[Option]\r\nDevice=0\r\n");
  IniFile again(file.Text());
  EXPECT_EQ(again.ReadInt("Window", "dx", 0), -5);
}

TEST(IniFile, AValueEndsAtItsFirstLineBreakSoItCannotAddLines) {
  IniFile file("[Option]\nFilePath=/old\n[Window]\ndx=1\n");
  file.WriteString("Option", "FilePath", "/home/a\n[Window]\ndx=5000");
  file.WriteString("Option", "ImagePath", "/pics\r\nDevice=3");
  EXPECT_EQ(file.Text(), "[Option]\r\nFilePath=/home/a\r\nImagePath=/pics\r\n[Window]\r\ndx=1\r\n");
  // A lone CR breaks no line for the reader, so a value read with one is written back whole.
  IniFile chords("[Chord]\n1Num=0,4,7(Ma\rj)\n");
  chords.WriteString("Chord", "1Num", *chords.ReadString("Chord", "1Num"));
  EXPECT_EQ(IniFile(chords.Text()).ReadString("Chord", "1Num"), "0,4,7(Ma\rj)");
}

}  // namespace
}  // namespace kirivane
