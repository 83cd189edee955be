#include "boravest/data/MasterDetail.h"

#include "platform/common/Numbers.h"

#include <QHash>
#include <QString>

#include <bit>

namespace bv::data::masterdetail {

struct TextNumbers::Impl {
    QHash<quint64, int> byValue; // a number's bits -> its text's number
    QHash<QString, int> byText;

    int idOf(const QString &text)
    {
        const auto it = byText.constFind(text);
        if (it != byText.constEnd())
            return *it;
        const int id = int(byText.size());
        byText.insert(text, id);
        return id;
    }
};

TextNumbers::TextNumbers() : d(new Impl) {}

TextNumbers::~TextNumbers() { delete d; }

int TextNumbers::idOf(const KeyValue &v)
{
    if (v.null)
        return d->idOf(QString());
    const quint64 bits = std::bit_cast<quint64>(double(v.number));
    const auto it = d->byValue.constFind(bits);
    if (it != d->byValue.constEnd())
        return *it;
    const int id = d->idOf(pf::floatToStr(v.number));
    d->byValue.insert(bits, id);
    return id;
}

} // namespace bv::data::masterdetail
