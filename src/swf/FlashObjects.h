#pragma once
// The movie: an ordered list of tags and movie-level objects written as one
// SWF file, and the movie-level objects callers build it from (shapes and
// their edge builder, sprites, buttons, placements, action lists, embedded
// fonts and static texts).

#include "swf/FlashObjects/Movie.h"
