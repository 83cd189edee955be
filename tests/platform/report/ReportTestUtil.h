#pragma once
// Reading rendered pages in the report tests.
#include "platform/report/Document.h"

#include <QStringList>

#include <ostream>

QT_BEGIN_NAMESPACE
// Readable texts in test failures.
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace reporttest {

// Texts of the page's text runs, in drawing order.
inline QStringList texts(const pf::report::Page &page)
{
    QStringList out;
    for (const auto &item : page.items)
        if (const auto *t = std::get_if<pf::report::TextRun>(&item))
            out << t->text;
    return out;
}

inline QStringList allTexts(const pf::report::Document &doc)
{
    QStringList out;
    for (const auto &p : doc.pages)
        out << texts(p);
    return out;
}

// The first text run with exactly this text; null when none. *pageIndex
// receives the 0-based page.
inline const pf::report::TextRun *findRun(const pf::report::Document &doc, const QString &text,
                                          int *pageIndex = nullptr)
{
    for (int p = 0; p < doc.pages.size(); ++p)
        for (const auto &item : doc.pages[p].items)
            if (const auto *t = std::get_if<pf::report::TextRun>(&item); t && t->text == text) {
                if (pageIndex)
                    *pageIndex = p;
                return t;
            }
    return nullptr;
}

template <class T> int countItems(const pf::report::Page &page)
{
    int n = 0;
    for (const auto &item : page.items)
        n += std::holds_alternative<T>(item) ? 1 : 0;
    return n;
}

} // namespace reporttest
