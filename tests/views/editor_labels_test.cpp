// The Control Details labels: the label map grammar of library controls, the
// device's control data fields, the default labels; and the value texts.
#include "tests/views/editor_test_support.h"
#include "views/editor_pane_layout.h"
#include "views/label_map.h"
#include "views/zone_notes.h"

namespace {

using editor_test::SetText;

TEST(LabelMapTest, PairsSetTheThreeLabelsAndIgnoreOtherKeys) {
    ValueLabels labels = {};
    EXPECT_EQ(ParseLabelMap("msb=Bank Hi:tempo=Fast:program=Patch:lsb=Bank Lo", &labels), 3);
    EXPECT_STREQ(labels.program, "Patch");
    EXPECT_STREQ(labels.msb, "Bank Hi");
    EXPECT_STREQ(labels.lsb, "Bank Lo");

    ValueLabels exact = {};
    EXPECT_EQ(ParseLabelMap("Program=P:msb =M:lsb=", &exact), 1);  // keys match exactly
    EXPECT_STREQ(exact.program, "");
    EXPECT_STREQ(exact.msb, "");
    EXPECT_STREQ(exact.lsb, "");
}

TEST(LabelMapTest, TextBeforeAnAngleBracketIsSkippedAndTheBracketJoinsTheNextKey) {
    ValueLabels labels = {};
    EXPECT_EQ(ParseLabelMap("program=Lost:x>program=Kept:msb=Bank", &labels), 1);
    EXPECT_STREQ(labels.program, "");  // its key was read as ">program"
    EXPECT_STREQ(labels.msb, "Bank");

    ValueLabels skipped = {};
    EXPECT_EQ(ParseLabelMap(">:lsb=Sub", &skipped), 1);
    EXPECT_STREQ(skipped.lsb, "Sub");
}

TEST(LabelMapTest, MalformedMapsSetNothingAndNeverOverrun) {
    ValueLabels labels = {};
    EXPECT_EQ(ParseLabelMap("program", &labels), 0);
    EXPECT_EQ(ParseLabelMap("programPatch:msb:lsb", &labels), 0);
    EXPECT_EQ(ParseLabelMap("program=A>", &labels), 0);  // stray ">" at the end
    EXPECT_EQ(ParseLabelMap(":::", &labels), 0);
    EXPECT_EQ(ParseLabelMap("", &labels), 0);
    EXPECT_EQ(ParseLabelMap(nullptr, &labels), 0);
    EXPECT_STREQ(labels.program, "");

    std::string longLabel = "program=" + std::string(200, 'x') + ":msb=M";
    EXPECT_EQ(ParseLabelMap(longLabel.c_str(), &labels), 2);
    EXPECT_EQ(std::strlen(labels.program), static_cast<size_t>(kNameLen - 1));
    EXPECT_STREQ(labels.msb, "M");
}

TEST(LabelMapTest, TheDefaultMapStandsInWhenTheLibraryMapSetsNothing) {
    ValueLabels labels;
    ResolveValueLabels(nullptr, &labels);
    EXPECT_EQ(labels.fromLibrary, 0);
    EXPECT_STREQ(labels.program, "Program");
    EXPECT_STREQ(labels.msb, "MSB");
    EXPECT_STREQ(labels.lsb, "LSB");
    ResolveValueLabels("colour=red", &labels);
    EXPECT_EQ(labels.fromLibrary, 0);
    EXPECT_STREQ(labels.lsb, "LSB");
    ResolveValueLabels("lsb=Fine", &labels);
    EXPECT_EQ(labels.fromLibrary, 1);
    EXPECT_STREQ(labels.lsb, "Fine");
    EXPECT_STREQ(labels.program, "");
}

class DetailLabelTest : public editor_test::ZonerTest {
  protected:
    std::string Label(int position, const char* map) {
        char out[kNameLen];
        DetailFieldLabel(position, map, out, sizeof out);
        return out;
    }
    void AddControlField(int id, const char* name, const char* shortName) {
        ControlFieldDef& f = gDevice.controlFields[gDevice.controlFieldCount++];
        f.id = id;
        SetText(f.name, name);
        SetText(f.shortName, shortName);
    }
};

TEST_F(DetailLabelTest, WithoutControlFieldsTheTableAndTheMapLabelTheFields) {
    EXPECT_EQ(Label(1, nullptr), "Ctrl");
    EXPECT_EQ(Label(4, nullptr), "Channel");
    EXPECT_EQ(Label(7, nullptr), "Program");
    EXPECT_EQ(Label(5, nullptr), "MSB");
    EXPECT_EQ(Label(6, nullptr), "LSB");
    // A map naming program and msb only hides lsb (its table label is empty).
    EXPECT_EQ(Label(7, "program=Patch:msb=Bank"), "Patch");
    EXPECT_EQ(Label(5, "program=Patch:msb=Bank"), "Bank");
    EXPECT_EQ(Label(6, "program=Patch:msb=Bank"), "");
}

TEST_F(DetailLabelTest, ControlFieldsNameTheFieldsAndALibraryMapStillWins) {
    AddControlField(2, "MIDI CC", "CC");
    AddControlField(5, "", "Ch");
    AddControlField(8, "Patch No", "");
    EXPECT_EQ(Label(1, nullptr), "MIDI CC");  // the name before the short name
    EXPECT_EQ(Label(4, nullptr), "Ch");
    EXPECT_EQ(Label(7, nullptr), "Patch No");
    EXPECT_EQ(Label(0, nullptr), "Name");  // no field with ID 1: the table's label
    // Fields the device does not name are hidden rather than given defaults.
    EXPECT_EQ(Label(5, nullptr), "");
    EXPECT_EQ(Label(6, nullptr), "");
    EXPECT_EQ(Label(7, "program=Voice"), "Voice");
    EXPECT_EQ(Label(5, "program=Voice"), "");
    EXPECT_EQ(Label(9, nullptr), "");  // no such field
}

TEST(ValueTextTest, NoteNamesCarryTheOctaveFromMinusTwo) {
    char text[kValueTextLen];
    FormatNoteName(0, text, sizeof text);
    EXPECT_STREQ(text, "C -2");
    FormatNoteName(60, text, sizeof text);
    EXPECT_STREQ(text, "C 3");
    FormatNoteName(INT32_MIN, text, sizeof text);  // a file's extreme value: no overflow
    FormatNoteName(127, text, sizeof text);
    EXPECT_STREQ(text, "G 8");
    FormatNoteName(61, text, sizeof text);
    EXPECT_STREQ(text, "C#3");
    FormatNoteName(70, text, sizeof text);
    EXPECT_STREQ(text, "Bb3");
    FormatNoteName(-1, text, sizeof text);  // below the range: counts on downwards
    EXPECT_STREQ(text, "B -3");
}

TEST(ValueTextTest, TwoValuedFieldsReadOnOrOff) {
    char text[kValueTextLen];
    FormatFieldValue(1, 0, 1, 0, text, sizeof text);
    EXPECT_STREQ(text, "On");
    FormatFieldValue(0, 0, 1, 7, text, sizeof text);
    EXPECT_STREQ(text, "Off");
    FormatFieldValue(1, 1, 16, 0, text, sizeof text);
    EXPECT_STREQ(text, "1");
    FormatFieldValue(64, 0, 127, 7, text, sizeof text);
    EXPECT_STREQ(text, "E 3");
    char tiny[3];
    FormatFieldValue(100, 0, 127, 0, tiny, sizeof tiny);
    EXPECT_STREQ(tiny, "10");
}

}  // namespace
