// Test skins made from XML text and pushed on the skin pools for the lifetime of the object
// (the cell skins of CellSkin.h are registered with the application first), and the
// framework's own resources loaded from the test program.
#pragma once
#include <doctest/doctest.h>

#include <vector>

#include "CellSkin.h"
#include "core/SApplication.h"
#include "core/SSkinPool.h"

class TestSkinPools {
 public:
  TestSkinPools() = default;
  ~TestSkinPools();
  TestSkinPools(const TestSkinPools&) = delete;
  TestSkinPools& operator=(const TestSkinPools&) = delete;

  // Makes the skins of a "skin" element's children into a pool pushed until this object goes;
  // the record of draws starts afresh.
  void Add(SWUI::SApplication& app, const wchar_t* xml);
  // A test skin of the pushed pools by name (the test fails without one).
  CellSkin* Cells(const wchar_t* name) const;
  CellSbSkin* CellsSb(const wchar_t* name) const;

 private:
  SWUI::ISkinObj* Get(const wchar_t* name) const;
  std::vector<SWUI::SSkinPool*> pools_;
};

// The framework's built-in skins and defaults from the test program's own resources (embedded
// with tevaro_sys_resources or tevaro_embed_resources); the program's resources also become a
// provider of the application.
void LoadSystemResources(SWUI::SApplication& app);
