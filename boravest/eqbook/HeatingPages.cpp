#include "boravest/eqbook/HeatingPages.h"

#include "boravest/eqbook/PageLayout.h"
#include "boravest/sizing/Catalogues.h"
#include "platform/common/Numbers.h"


using namespace pf::report;
namespace eq = bv::sizing;

namespace bv::eqbook {

Label *LineFlow::text(const char *name, const QString &t)
{
    return addText(m_band, QString::fromLatin1(name), 712, 0, t);
}

DBText *LineFlow::field(const char *name, pf::db::Dataset *dataset, const char *fieldName)
{
    return addField(m_band, QString::fromLatin1(name), 712, 0, dataset, QString::fromLatin1(fieldName));
}

void LineFlow::line(double right, double top, std::vector<TextElement *> parts)
{
    m_lines.push_back({std::move(parts), right, top});
}

void LineFlow::reflow()
{
    for (const Line &l : m_lines)
        flowRightToLeft(l.parts, l.right, l.top);
}

void setEnabled(std::initializer_list<Element *> elements, bool on)
{
    for (Element *e : elements)
        e->enabled = on;
}

void clearTexts(std::initializer_list<Label *> labels)
{
    for (Label *l : labels)
        l->text.clear();
}

PipeCells pipeCells(int sizeColumn, int rowPlusOne)
{
    const eq::Catalogues &cat = eq::catalogues();
    PipeCells c;
    if (sizeColumn < 1 || sizeColumn > eq::PipeSizeNamesTable::Count)
        return c;
    c.size = cat.PipeSizeNames.name(sizeColumn);
    const int capacityRow = rowPlusOne - 1;
    if (capacityRow < 1 || capacityRow > eq::PipeCapacityTable::RowCount)
        return c;
    c.capacity = pf::floatToStr(cat.PipeCapacity.capacity(capacityRow, sizeColumn));
    c.velocity = pf::floatToStr(cat.PipeVelocity.cell(rowPlusOne, sizeColumn));
    return c;
}

SandFilterCells sandFilterCells(int row)
{
    const eq::SandFiltersTable &t = eq::catalogues().SandFilters;
    return {catalogueCell(t, row, 1), catalogueCell(t, row, 2), catalogueCell(t, row, 3), catalogueCell(t, row, 4)};
}

} // namespace bv::eqbook
