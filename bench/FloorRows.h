#pragma once
// The rows of a floor's walk as the floors read them: each number column as
// a number, each text column (declared VARCHAR) as a text.
#include <QByteArray>
#include <QString>
#include <sqlite3.h>

#include <vector>

namespace benchfloor {

// Per column of the statement: whether it is read as a text.
inline std::vector<char> textColumns(sqlite3_stmt *st)
{
    std::vector<char> text;
    for (int c = 0; st && c < sqlite3_column_count(st); ++c) {
        const char *decl = sqlite3_column_decltype(st, c);
        text.push_back(decl && QByteArray(decl).toUpper().startsWith("VARCHAR"));
    }
    return text;
}

// The statement's current row read: the sum of its numbers and of its
// texts' lengths.
inline double readRow(sqlite3_stmt *st, const std::vector<char> &text)
{
    double sum = 0;
    for (int c = 0; c < int(text.size()); ++c)
        if (text[c])
            sum += QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, c)),
                                     sqlite3_column_bytes(st, c))
                       .size();
        else
            sum += sqlite3_column_double(st, c);
    return sum;
}

} // namespace benchfloor
