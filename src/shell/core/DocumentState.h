#pragma once
// The document as a value: what the user edits (the item table, the banner
// settings) and the editing state that goes with it (the selection, the
// last items of each kind, the last deletion). Undo keeps these values and
// the recovery file stores one.
//
// Every field of a record, of the settings and of the state is listed once
// here as a "key=value" line; the recovery file writes and reads these lines
// and the undo history compares them to name an edit.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "document/BannerDocument.h"

namespace tessaly::shell {

struct TDocumentState {
  document::TItemTable ItemTable;
  document::TBannerSettings BannerSettings;
  std::string CurrentItemName;
  std::int32_t LastShapeItem = -1;
  std::int32_t LastImageItem = -1;
  std::int32_t LastTextItem = -1;
  std::int32_t LastDeletedItem = -1;
  bool DeleteEnabled = false;
  bool UndeleteEnabled = false;

  bool operator==(const TDocumentState&) const = default;
};

TDocumentState StateOf(const document::TBannerDocument& document);

// Puts state into the document, reports the enabled commands and asks for a
// preview rebuild. ChangeMade is left to the caller.
void RestoreState(document::TBannerDocument& document, const TDocumentState& state);

// The record without what the editing preview writes into it (InPreview,
// Moved, the drag bases, and a text's measured width and height): two
// records that differ only there show the same design.
document::TFlashObjects DesignOf(const document::TFlashObjects& item);

// Whether two states show the same design: same items and settings, the
// preview's fields and the selection aside.
bool SameDesign(const TDocumentState& a, const TDocumentState& b);

// One "key=value" line per field, in declaration order. Strings are escaped
// so that every value stays on its line: "\\" for a backslash, "\n" and "\r"
// for line breaks.
using TFieldLines = std::vector<std::string>;
TFieldLines ItemFieldLines(const document::TFlashObjects& item);
TFieldLines SettingsFieldLines(const document::TBannerSettings& settings);
TFieldLines StateFieldLines(const TDocumentState& state);  // the state beside table and settings

// Values by key, as read back from such lines.
using TFieldValues = std::map<std::string, std::string>;

// Fill a record, the settings or the state from values. Every field must be
// present and well formed; throws std::runtime_error naming the first one
// that is not.
document::TFlashObjects ItemFromFields(const TFieldValues& values);
document::TBannerSettings SettingsFromFields(const TFieldValues& values);
void StateFromFields(const TFieldValues& values, TDocumentState& state);

// The keys of the lines that differ between two lists of the same fields.
std::vector<std::string> ChangedKeys(const TFieldLines& before, const TFieldLines& after);

}  // namespace tessaly::shell
