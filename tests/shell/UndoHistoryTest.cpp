// The document as a value, the naming of edits and the undo history's
// steps and merge rule, with a clock moved by hand.
#include <gmock/gmock.h>

#include "shell/HistoryTestSupport.h"
#include "shell/core/EditSteps.h"
#include "shell/core/UndoHistory.h"

namespace tessaly::shell::test {
namespace {

using namespace std::chrono_literals;
using document::ItemKind;

TDocumentState WithShapeAt(int x) {
  TDocumentState state;
  document::TFlashObjects& item = state.ItemTable.Append();
  item.X = x;
  return state;
}

TEST(DocumentState, IsAValueThatCopiesWholeAndAlone) {
  document::TBannerDocument document;
  document.ItemTable.Append() = FullRecord(1);
  document.BannerSettings = FullSettings();
  document.CurrentItemName = "but1";
  document.LastDeletedItem = 1;
  document.SetCommandState(true, true);
  const TDocumentState copy = StateOf(document);
  document.ItemTable[1].Text = "changed";
  document.BannerSettings.URL = "changed";
  EXPECT_EQ(copy.ItemTable[1], FullRecord(1));
  EXPECT_EQ(copy.BannerSettings, FullSettings());

  document::TBannerDocument restored;
  RestoreState(restored, copy);
  EXPECT_EQ(AllLines(StateOf(restored)), AllLines(copy));
  EXPECT_TRUE(restored.UndeleteEnabled());
  EXPECT_EQ(restored.CurrentItemIndex, -1) << "the current item is deleted";
}

TEST(DocumentState, FieldLinesReadBackEveryField) {
  const document::TFlashObjects item = FullRecord(4);
  TFieldValues values;
  for (const std::string& line : ItemFieldLines(item)) {
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
    values[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
  }
  EXPECT_EQ(ItemFromFields(values), item);

  TFieldValues settings;
  for (const std::string& line : SettingsFieldLines(FullSettings()))
    settings[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
  EXPECT_EQ(SettingsFromFields(settings), FullSettings());
}

TEST(DocumentState, FieldsMissingOrMalformedAreRefused) {
  TFieldValues values;
  for (const std::string& line : ItemFieldLines(FullRecord(1)))
    values[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
  const struct {
    const char* key;
    const char* value;  // nullptr: the field is left out
  } cases[] = {{"X", nullptr}, {"X", "12a"}, {"X", "99999999999"}, {"Bold", "true"},
               {"Kind", "3"},  {"Transparency", "256"}, {"Text", "ends in \\"}, {"Text", "\\t"}};
  for (const auto& c : cases) {
    TFieldValues broken = values;
    if (c.value == nullptr)
      broken.erase(c.key);
    else
      broken[c.key] = c.value;
    EXPECT_THROW(ItemFromFields(broken), std::runtime_error) << c.key;
  }
}

TEST(DocumentState, ThePreviewsFieldsAreNoDesign) {
  TDocumentState a = WithShapeAt(5);
  TDocumentState b = a;
  b.ItemTable[1].InPreview = true;
  b.ItemTable[1].Moved = true;
  b.ItemTable[1].DragBaseX = 77;
  b.CurrentItemName = "but1";
  EXPECT_TRUE(SameDesign(a, b));
  b.ItemTable[1].Width = 3;
  EXPECT_FALSE(SameDesign(a, b)) << "a shape's width is design";
  a.ItemTable[1].Kind = b.ItemTable[1].Kind = ItemKind::ikText;
  EXPECT_TRUE(SameDesign(a, b)) << "a text's width is measured by the build";
}

TEST(EditSteps, EditsAreNamedByWhatChanged) {
  TDocumentState shape = WithShapeAt(10);
  auto with = [&](auto change) {
    TDocumentState after = shape;
    change(after);
    return after;
  };
  const struct {
    const char* what;
    TDocumentState after;
    TEditAction action;
    const char* name;
  } cases[] = {
      {"drag", with([](TDocumentState& s) { s.ItemTable[1].X = 40, s.ItemTable[1].Y = 3; }), TEditAction::eaMove,
       "移动外形"},
      {"nudge", with([](TDocumentState& s) { s.ItemTable[1].X = 11; }), TEditAction::eaNudge, "微移外形"},
      {"field", with([](TDocumentState& s) { s.ItemTable[1].Radius = 8; }), TEditAction::eaEditItem, "修改外形"},
      {"delete", with([](TDocumentState& s) { s.ItemTable[1].Deleted = true; }), TEditAction::eaDelete, "删除外形"},
      {"add", with([](TDocumentState& s) { s.ItemTable.Append().Kind = ItemKind::ikText; }), TEditAction::eaAdd,
       "添加文字"},
      {"size", with([](TDocumentState& s) { s.BannerSettings.BannerWidth = 100; }), TEditAction::eaSize,
       "修改横幅大小"},
      {"background", with([](TDocumentState& s) { s.BannerSettings.BackgroundColor = 1; }),
       TEditAction::eaBackground, "修改背景"},
      {"animation", with([](TDocumentState& s) { s.BannerSettings.AnimationSpeed = 2; }), TEditAction::eaAnimation,
       "修改动画"},
      {"movie", with([](TDocumentState& s) { s.BannerSettings.URL = "x"; }), TEditAction::eaMovie, "修改影片设置"},
      {"two groups", with([](TDocumentState& s) { s.BannerSettings.URL = "x", s.BannerSettings.BannerWidth = 9; }),
       TEditAction::eaBanner, "修改横幅"},
  };
  for (const auto& c : cases) {
    const TEdit edit = EditBetween(shape, c.after);
    EXPECT_EQ(edit.Action, c.action) << c.what;
    EXPECT_STREQ(edit.Name, c.name) << c.what;
  }
  TDocumentState deleted = with([](TDocumentState& s) { s.ItemTable[1].Deleted = true; });
  EXPECT_STREQ(EditBetween(deleted, shape).Name, "恢复删除的外形");

  TDocumentState two = shape;
  two.ItemTable.Append().X = 99;
  TDocumentState swapped = two;
  std::swap(swapped.ItemTable[1], swapped.ItemTable[2]);
  std::swap(swapped.ItemTable[1].Name, swapped.ItemTable[2].Name);
  EXPECT_EQ(EditBetween(two, swapped).Action, TEditAction::eaReorder);
}

TEST(UndoHistory, UndoAndRedoWalkTheSteps) {
  TManualClock clock;
  TUndoHistory history(clock.Clock());
  EXPECT_FALSE(history.CanUndo());
  EXPECT_EQ(history.UndoName(), nullptr);
  std::vector<TDocumentState> states = {WithShapeAt(0), WithShapeAt(20), WithShapeAt(40)};
  for (size_t i = 1; i < states.size(); ++i) {
    clock.Advance(10s);
    history.Record(EditBetween(states[i - 1], states[i]), states[i - 1], states[i]);
  }
  EXPECT_STREQ(history.UndoName(), "移动外形");
  EXPECT_EQ(history.Undo(), states[1]);
  EXPECT_EQ(history.Undo(), states[0]);
  EXPECT_FALSE(history.CanUndo());
  EXPECT_STREQ(history.RedoName(), "移动外形");
  EXPECT_EQ(history.Redo(), states[1]);

  // A new edit drops the step that was undone.
  const TDocumentState other = WithShapeAt(-5);
  history.Record(EditBetween(states[1], other), states[1], other);
  EXPECT_FALSE(history.CanRedo());
  EXPECT_EQ(history.StepCount(), 2u);
  EXPECT_EQ(history.Undo(), states[1]);
}

// The merge rule, case by case: the first edit moves the shape from 10 to
// 11, the second (after the pause) is described in each case.
TEST(UndoHistory, BurstsOfOneEditMergeIntoOneStep) {
  const TDocumentState start = WithShapeAt(10);
  TDocumentState nudged = WithShapeAt(11);
  const struct {
    const char* what;
    std::chrono::milliseconds pause;
    TDocumentState second;
    bool undoFirst;
    size_t steps;
  } cases[] = {
      {"the same nudge soon after", 300ms, WithShapeAt(12), false, 1},
      {"the same nudge at the window's end", MergeWindow, WithShapeAt(12), false, 1},
      {"the same nudge after a pause", MergeWindow + 1ms, WithShapeAt(12), false, 2},
      {"a drag", 300ms, WithShapeAt(50), false, 2},
      {"another field", 300ms,
       [&] {
         TDocumentState s = nudged;
         s.ItemTable[1].Y = 1;
         return s;
       }(),
       false, 2},
      {"after an undo and redo", 300ms, WithShapeAt(12), true, 2},
  };
  for (const auto& c : cases) {
    TManualClock clock;
    TUndoHistory history(clock.Clock());
    history.Record(EditBetween(start, nudged), start, nudged);
    if (c.undoFirst) {
      history.Undo();
      history.Redo();
    }
    clock.Advance(c.pause);
    history.Record(EditBetween(nudged, c.second), nudged, c.second);
    EXPECT_EQ(history.StepCount(), c.steps) << c.what;
    size_t undos = 0;
    const TDocumentState* first = nullptr;
    for (; history.CanUndo(); ++undos) first = &history.Undo();
    EXPECT_EQ(undos, c.steps) << c.what;
    EXPECT_EQ(first->ItemTable[1].X, 10) << c.what;
  }
}

TEST(UndoHistory, EditsThatNeverMergeStartAStepEachTime) {
  TManualClock clock;
  TUndoHistory history(clock.Clock());
  TDocumentState state;
  for (int i = 0; i < 3; ++i) {
    TDocumentState next = state;
    next.ItemTable.Append();
    history.Record(EditBetween(state, next), state, next);
    state = next;
  }
  EXPECT_EQ(history.StepCount(), 3u);
}

TEST(UndoHistory, KeepsTheNewestStepsUpToTheLimit) {
  TManualClock clock;
  TUndoHistory history(clock.Clock());
  for (int i = 0; i < static_cast<int>(UndoLimit) + 5; ++i) {
    clock.Advance(10s);
    history.Record(EditBetween(WithShapeAt(i * 10), WithShapeAt(i * 10 + 5)), WithShapeAt(i * 10),
                   WithShapeAt(i * 10 + 5));
  }
  EXPECT_EQ(history.StepCount(), UndoLimit);
  const TDocumentState* oldest = nullptr;
  while (history.CanUndo()) oldest = &history.Undo();
  EXPECT_EQ(oldest->ItemTable[1].X, 50);
}

// Plays ops on a history saved at its start and gives IsAtSaved after each:
// 'E' an edit after a pause (a step of its own), 'N' a nudge at once (joins
// an open step), 'U' undo, 'B' undo all the way back, 'R' redo, 'S' save,
// 'L' one edit less than the limit, 'C' cleared (a recovered banner).
std::string SavedMarks(const std::string& ops) {
  TManualClock clock;
  TUndoHistory history(clock.Clock());
  TDocumentState current = WithShapeAt(0);
  history.MarkSaved();
  const auto edit = [&] {
    TDocumentState next = current;
    next.ItemTable[1].X += 1;
    history.Record(EditBetween(current, next), current, next);
    current = std::move(next);
  };
  std::string marks;
  for (const char op : ops) {
    switch (op) {
      case 'E':
        clock.Advance(MergeWindow + 1ms);
        edit();
        break;
      case 'N':
        edit();
        break;
      case 'U':
        current = history.Undo();
        break;
      case 'B':
        while (history.CanUndo()) current = history.Undo();
        break;
      case 'R':
        current = history.Redo();
        break;
      case 'S':
        history.MarkSaved();
        break;
      case 'L':
        for (std::size_t i = 1; i < UndoLimit; ++i) {
          clock.Advance(MergeWindow + 1ms);
          edit();
        }
        break;
      case 'C':
        history.Clear();
        break;
    }
    marks += history.IsAtSaved() ? '1' : '0';
  }
  return marks;
}

TEST(UndoHistory, UndoAndRedoFindTheSavedPosition) {
  const struct {
    const char* name;
    const char* ops;
    const char* marks;
  } cases[] = {
      {"undo back to the new banner", "EU", "01"},
      {"redo leaves it again", "EUR", "010"},
      {"after a save undo leaves it and redo comes back", "ESUR", "0101"},
      {"two steps back", "EEUU", "0001"},
      {"a save in the middle of the steps", "EEUSRU", "000101"},
      {"an edit after undoing to it keeps it behind", "EUEU", "0101"},
      {"an edit after undoing past it drops it", "ESUEUR", "010000"},
      {"a nudge after a save starts its own step", "ENSNU", "00101"},
      {"a burst of nudges is one step back", "NNNU", "0001"},
      {"the limit's worth of steps keeps it", "LEB", "001"},
      {"one step more drops it", "ELEB", "0000"},
      {"a later save moves with the dropped steps", "ESLEB", "01001"},
      {"a cleared history has none", "EUC", "010"},
      {"a save after clearing marks it again", "CSEU", "0101"},
  };
  for (const auto& c : cases) EXPECT_EQ(SavedMarks(c.ops), c.marks) << c.name;
}

}  // namespace
}  // namespace tessaly::shell::test
