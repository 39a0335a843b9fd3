#pragma once
// SWF tags and action records: the roots of the tag classes and their
// framing, the display-list, frame and action tags, sprites and buttons, the
// actions, the shape definition tags with their styles and records, and the
// font and static text tags.

#include "swf/SWFObjects/Tags.h"
#include "swf/SWFObjects/Actions.h"
#include "swf/SWFObjects/DisplayList.h"
#include "swf/SWFObjects/Sprites.h"
#include "swf/SWFObjects/Buttons.h"
#include "swf/SWFObjects/Shapes.h"
#include "swf/SWFObjects/FontsText.h"
#include "swf/SWFObjects/Bitmaps.h"
