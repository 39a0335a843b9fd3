#pragma once
// The items of the banner, each a character wrapped in a button at depth
// 2 x i: the item loop shared by both build paths, the wrapping rule and
// the shape items. Texts are built by TextItemBuilder, pictures by
// ImageItemBuilder.

#include <cstdint>

#include "document/BuildContext.h"

namespace tessaly::document {

// A button record shown in all four states (up, over, down, hit test).
inline constexpr std::uint8_t kAllButtonStates = 15;

// A DefineButton2 button showing the character (by ID) in all four states
// at depth 1. In a build being saved (a file name given) releasing it opens
// the click address (ClickURL in ClickTarget); with UseClickTag set, the
// address the page passes as clickTAG instead when it starts with "http".
swf::TFlashButton* AddShowingButton(swf::TFlashMovie& movie, const TBuildContext& context,
                                    std::uint16_t characterID);

// Adds every item that is not deleted to a preview build: with an empty file
// name the items get drag actions, otherwise the click action. Sets
// InPreview and clears Moved of every item placed; when no item was placed
// the delete command is disabled.
void BuildPreviewItems(swf::TFlashMovie& movie, TBuildContext& context);

// Adds the items for the effect generator: items of an animated layer are
// drawn relative to the banner centre, and shapes and pictures among them
// are placed translated by their X, Y. With a file name the items get the
// click action, else no actions. Sets InPreview of every item placed.
void BuildAnimatedItems(swf::TFlashMovie& movie, TBuildContext& context);

// Whether the item loop builds item i: not deleted, and for a text a text
// that is not blank.
bool ItemIsBuilt(const TFlashObjects& item);

// The wrapping of item i's character (by ID): a DefineButton2 button
// showing it in all states at depth 1, the actions the build calls for, the
// placement at 2 x i named "but" + i (translated when Translate is set),
// and the InPreview / Moved flags. Sets ItemButtons[i].
swf::TFlashButton* WrapItem(swf::TFlashMovie& movie, TBuildContext& context, int index, std::uint16_t characterID,
                            bool translate);

// The shape of shape item i: geometry, border, fill (a picture fill only
// when the file exists), then the wrapping.
void BuildShapeItem(swf::TFlashMovie& movie, TBuildContext& context, int index);

}  // namespace tessaly::document
