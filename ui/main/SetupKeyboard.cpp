// The main window by keyboard: the start-number and digit-count fields
// stepped and typed into, and the names a screen reader gives the controls.

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "AccessibleName.h"
#include "CheckListBox.h"
#include "DirectoryListBox.h"
#include "DriveComboBox.h"
#include "FilterComboBox.h"
#include "Panel.h"
#include "PreviewRows.h"
#include "RenameSession.h"
#include "Setup.h"
#include "SetupControls.h"
#include "StringGrid.h"
#include "Texts.h"

namespace korvath {

namespace {

// The value a spin field's key makes of value, before the field's clamp.
std::int64_t KeyedValue(std::int64_t value, WORD key) {
  switch (key) {
    case kPanelKeyUp:
      return value + 1;
    case kPanelKeyDown:
      return value - 1;
    case kPanelKeyPageUp:
      return value + 10;
    case kPanelKeyPageDown:
      return value - 10;
    case kPanelKeyBack:
      return value / 10;
    default:
      break;
  }
  if (key >= kPanelKeyMoreDigit && key <= kPanelKeyMoreDigit + 9) {
    return value * 10 + (key - kPanelKeyMoreDigit);  // value is clamped: no overflow
  }
  if (key >= kPanelKeyDigit && key <= kPanelKeyDigit + 9) return key - kPanelKeyDigit;
  return value;
}

// The step that takes current to the keyed value, clamped as the step
// buttons clamp.
int KeyedStep(int current, WORD key, int least, int most) {
  const std::int64_t wanted = std::clamp<std::int64_t>(KeyedValue(current, key), least, most);
  return static_cast<int>(wanted - current);
}

// A label's text as a name: without its closing ":".
std::string LabelName(HWND label) {
  std::string text = TSetupForm1::WindowText(label);
  if (!text.empty() && text.back() == ':') text.pop_back();
  return text;
}

}  // namespace

void TSetupForm1::Panel2KeyDown(WORD key) {
  session_->StepStartNumber(KeyedStep(session_->StartNumber, key, RenameSession::MinStartNumber,
                                      RenameSession::MaxStartNumber));
  ShowStartNumber();
  NamingChanged();
}

void TSetupForm1::Panel3KeyDown(WORD key) {
  session_->StepDigitCount(KeyedStep(session_->DigitCount, key, RenameSession::MinDigitCount,
                                     RenameSession::MaxDigitCount));
  ShowDigitCount();
  ShowStartNumber();
  NamingChanged();
}

void TSetupForm1::GiveAccessibleNames() {
  // Each field is named after the label above it; a drop-down's edit part,
  // which holds the focus, is named too.
  const struct {
    HWND control;
    HWND label;
  } labelled[] = {{FilterComboBox1->Handle(), Label1},
                  {ComboBox1, Label2},
                  {Panel2, Label3},
                  {Panel3, Label4},
                  {ComboBox2, Label5},
                  {ComboBox3, Label6}};
  for (const auto& field : labelled) {
    AccessibleText text{.Name = LabelName(field.label),
                        .SpinField = field.control == Panel2 || field.control == Panel3};
    if (HWND edit = GetWindow(field.control, GW_CHILD)) SetAccessibleText(edit, text);
    SetAccessibleText(field.control, std::move(text));
  }
  SetAccessibleText(DriveComboBox1->Handle(), {.Name = std::string(Text(kTextAccessibleDrive))});
  SetAccessibleText(DirectoryListBox1->Handle(),
                    {.Name = std::string(Text(kTextAccessibleFolder))});
  SetAccessibleText(CheckListBox1->Handle(),
                    {.Name = LabelName(Label8),
                     .ItemName = [this](int i) { return session_->Files.at(i).Name; },
                     .ItemChecked = [this](int i) { return session_->Files.at(i).Checked; }});
  SetAccessibleText(StringGrid1->Handle(),
                    {.Name = LabelName(Label9), .ItemName = [this](int i) {
                       const auto row = static_cast<std::size_t>(i);
                       return FormatText(kTextGridRowName,
                                         {StringGrid1->Cell(0, row), StringGrid1->Cell(1, row)});
                     }});
  // The glyph buttons by their tooltips, the step buttons by field and step.
  for (const SetupRow* row = ControlTable::kRows; row->kind != Kind::StatusBar; ++row) {
    if (row->kind != Kind::SpeedButton || !row->member) continue;
    HWND button = this->*row->member;
    std::string name(Text(row->text));
    if (name.empty() && row->tag != 0) {
      name = LabelName(Label3) + (row->tag > 0 ? " +" : " ") + std::to_string(row->tag);
    } else if (name.empty()) {
      name = LabelName(Label4) + (button == SpeedButton11 ? " +1" : " -1");
    }
    SetAccessibleText(button, {.Name = name});
  }
}

}  // namespace korvath
