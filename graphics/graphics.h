// Every graphics class and routine.
#pragma once

#include "graphics/gdiplus_status.h"
#include "graphics/gfx_brush.h"
#include "graphics/gfx_font.h"
#include "graphics/gfx_graphics.h"
#include "graphics/gfx_image.h"
#include "graphics/gfx_memory_stream.h"
#include "graphics/gfx_path.h"
#include "graphics/gfx_pen.h"
#include "graphics/gfx_region.h"
#include "graphics/gfx_string_format.h"
#include "graphics/gfx_tooltip.h"
#include "graphics/image_encoders.h"
#include "graphics/path_routines.h"
