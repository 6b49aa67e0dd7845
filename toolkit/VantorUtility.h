// VantorUtility, the program's own Win32 widget toolkit: everything in one include.
#pragma once

#include "Command.h"
#include "Drawing.h"
#include "Element.h"
#include "Form.h"
#include "GdiObjects.h"
#include "WindowProcedure.h"
