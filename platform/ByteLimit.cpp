#include "platform/ByteLimit.h"

#include "platform/Encoding.h"

#include <QLineEdit>
#include <QValidator>

namespace {

class ByteLimitValidator : public QValidator {
public:
    ByteLimitValidator(int maxBytes, QObject* parent) : QValidator(parent), m_maxBytes(maxBytes) {}
    State validate(QString& input, int&) const override
    {
        return int(ToCp932(input).size()) <= m_maxBytes ? Acceptable : Invalid;
    }

private:
    int m_maxBytes;
};

} // namespace

void LimitTextBytes(QLineEdit* edit, int maxBytes)
{
    edit->setValidator(new ByteLimitValidator(maxBytes, edit));
}
