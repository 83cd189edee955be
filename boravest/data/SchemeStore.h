#pragma once
// The colour and font schemes as the one-row settings tables BankColors.DB
// and BankFont.DB keep them. Reads fall back to the default scheme when the
// table holds no row; writes create the row when there is none yet.
#include "boravest/data/ProgramState.h"
#include "platform/db/Db.h"

#include <array>
#include <cstdint>

namespace bv::data::stores {

using ColorScheme = std::array<int32_t, 25>; // entry = area * 5 + role

ColorScheme defaultColorScheme();
recordFont defaultFontScheme();

// The 25 stored colours in field order (FldWin_V ... FldTextMenu_R).
ColorScheme loadColorScheme(pf::db::Database &db);
void saveColorScheme(pf::db::Database &db, const ColorScheme &colors);

// The three stored font names (screen, report, title).
recordFont loadFontScheme(pf::db::Database &db);
void saveFontScheme(pf::db::Database &db, const recordFont &fonts);

} // namespace bv::data::stores
