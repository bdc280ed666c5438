#pragma once
// Every option object of the editor control.
#include "editor/options_caret.h"
#include "editor/options_colors.h"
#include "editor/options_leftbar.h"
#include "editor/options_margin.h"
#include "editor/options_marks.h"
#include "editor/options_ruler.h"
#include "editor/options_viewinfo.h"
