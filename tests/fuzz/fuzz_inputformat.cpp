// Input format strings: parsing, then filtering and validating texts with them.
#include "binding/inputformat.h"
#include "snmp/kxexception.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input
        = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const qsizetype split = input.indexOf(u'\n');
    try {
        const InputFormat format = ParseInputFormat(input.left(split));
        const QString text = split < 0 ? QString() : input.mid(split + 1);
        format.firstMisfit(text);
        QString message;
        format.validate(text, &message);
        SplitCompositeFormat(input);
    } catch (const KxException &) {
    }
    return 0;
}
