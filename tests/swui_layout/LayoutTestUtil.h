// Helpers shared by the layout tests: readable rectangles, and creating a layout by class.
#pragma once
#include <windows.h>

#include <doctest/doctest.h>

#include <ostream>

#include "GeometryChecks.h"
