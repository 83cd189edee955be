#include "boravest/data/MasterDetail.h"

#include "platform/common/Numbers.h"

#include <QHash>
#include <QString>

#include <bit>
#include <iterator>

namespace bv::data::masterdetail {

struct TextNumbers::Impl {
    QHash<quint64, int> byValue; // a number's bits -> its text's number
    QHash<QString, int> byText;
    // Each field's last value and its number.
    struct Last {
        quint64 bits = 0;
        bool null = false;
        int id = -1;
    };
    Last last[8];

    int idOf(const QString &text)
    {
        const auto it = byText.constFind(text);
        if (it != byText.constEnd())
            return *it;
        const int id = int(byText.size());
        byText.insert(text, id);
        return id;
    }
    int idOf(const KeyValue &v, quint64 bits)
    {
        if (v.null)
            return idOf(QString());
        const auto it = byValue.constFind(bits);
        if (it != byValue.constEnd())
            return *it;
        const int id = idOf(pf::floatToStr(v.number));
        byValue.insert(bits, id);
        return id;
    }
};

TextNumbers::TextNumbers() : d(new Impl) {}

TextNumbers::~TextNumbers() { delete d; }

double TextNumbers::operator()(size_t field, const KeyValue &v)
{
    const quint64 bits = std::bit_cast<quint64>(v.number);
    if (field >= std::size(d->last))
        return d->idOf(v, bits);
    Impl::Last &last = d->last[field];
    if (last.id < 0 || last.null != v.null || last.bits != bits)
        last = {bits, v.null, d->idOf(v, bits)};
    return last.id;
}

} // namespace bv::data::masterdetail
