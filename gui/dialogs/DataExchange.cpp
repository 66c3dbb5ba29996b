#include "gui/dialogs/DataExchange.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <charconv>
#include <cmath>

namespace {

const QString kNotAnInteger = QStringLiteral("Please enter an integer.");
const QString kNotAPositiveInteger = QStringLiteral("Please enter a positive integer.");
const QString kNotANumber = QStringLiteral("Please enter a number.");

// The number text without the blanks around it and without a leading "+", which from_chars
// does not take; empty when nothing is left.
std::string NumberPart(const QString& text) {
    std::string part = text.trimmed().toStdString();
    if (!part.empty() && part.front() == '+') part.erase(0, 1);
    return part;
}

// The whole text must be the number.
template <typename T>
std::optional<T> WholeNumber(const QString& text) {
    const std::string part = NumberPart(text);
    if (part.empty() || part.front() == '+') return std::nullopt;
    T value{};
    const char* end = part.data() + part.size();
    const auto [stop, error] = std::from_chars(part.data(), end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

std::optional<QString> OutOfRange(bool outside, const char* kind, const QString& min,
                                  const QString& max) {
    if (!outside) return std::nullopt;
    return QStringLiteral("Please enter %1 between %2 and %3.").arg(kind, min, max);
}

}  // namespace

std::optional<int> IntOfText(const QString& text) {
    return WholeNumber<int>(text);
}

std::optional<unsigned> UnsignedOfText(const QString& text) {
    // from_chars takes no sign for unsigned types, so "-1" is refused rather than wrapped.
    return WholeNumber<unsigned>(text);
}

std::optional<double> NumberOfText(const QString& text) {
    // Infinities and not-a-number would slip through every range check.
    const std::optional<double> value = WholeNumber<double>(text);
    if (value && !std::isfinite(*value)) return std::nullopt;
    return value;
}

QString TextOfInt(long long value) {
    return QString::number(value);
}

QString TextOfNumber(double value) {
    return QString::number(value, 'g', 15);
}

template <typename T, typename ParseFn, typename RangeFn>
void DataExchange::NumberEdit(QLineEdit* edit, T& field, ParseFn parse, const QString& notANumber,
                              RangeFn check) {
    bindings.push_back({edit,
                        [edit, &field] {
                            if constexpr (std::is_floating_point_v<T>) {
                                edit->setText(TextOfNumber(field));
                            } else {
                                edit->setText(TextOfInt(field));
                            }
                        },
                        [edit, &field, parse, notANumber, check]() -> ReadResult {
                            const std::optional<T> value = parse(edit->text());
                            if (!value) return notANumber;
                            if (ReadResult outside = check(*value)) return outside;
                            field = *value;
                            return std::nullopt;
                        }});
}

void DataExchange::Int(QLineEdit* edit, int& field) {
    NumberEdit(edit, field, IntOfText, kNotAnInteger, [](int) { return ReadResult(); });
}

void DataExchange::Int(QLineEdit* edit, int& field, int min, int max) {
    NumberEdit(edit, field, IntOfText, kNotAnInteger, [min, max](int value) {
        return OutOfRange(value < min || value > max, "an integer", TextOfInt(min), TextOfInt(max));
    });
}

void DataExchange::Unsigned(QLineEdit* edit, unsigned& field) {
    NumberEdit(edit, field, UnsignedOfText, kNotAPositiveInteger,
               [](unsigned) { return ReadResult(); });
}

void DataExchange::Number(QLineEdit* edit, double& field) {
    NumberEdit(edit, field, NumberOfText, kNotANumber, [](double) { return ReadResult(); });
}

void DataExchange::Number(QLineEdit* edit, double& field, double min, double max) {
    NumberEdit(edit, field, NumberOfText, kNotANumber, [min, max](double value) {
        return OutOfRange(value < min || value > max, "a number", TextOfNumber(min),
                          TextOfNumber(max));
    });
}

void DataExchange::Text(QLineEdit* edit, std::string& field) {
    bindings.push_back({edit, [edit, &field] { edit->setText(QString::fromStdString(field)); },
                        [edit, &field] {
                            field = edit->text().toStdString();
                            return ReadResult();
                        }});
}

void DataExchange::Text(QLabel* label, std::string& field) {
    bindings.push_back({label, [label, &field] { label->setText(QString::fromStdString(field)); },
                        [label, &field] {
                            field = label->text().toStdString();
                            return ReadResult();
                        }});
}

void DataExchange::Check(QAbstractButton* box, int& field) {
    bindings.push_back({box, [box, &field] { box->setChecked(field != 0); },
                        [box, &field] {
                            field = box->isChecked() ? 1 : 0;
                            return ReadResult();
                        }});
}

void DataExchange::Radio(QButtonGroup* group, ChoiceField field) {
    // An exclusive group keeps one button checked; it has to let go to show "none".
    auto show = [group, field] {
        if (QAbstractButton* button = group->button(field.get())) {
            button->setChecked(true);
            return;
        }
        group->setExclusive(false);
        for (QAbstractButton* button : group->buttons()) button->setChecked(false);
        group->setExclusive(true);
    };
    QWidget* first = group->buttons().isEmpty() ? nullptr : group->buttons().front();
    bindings.push_back({first, show, [group, field] {
                            field.set(group->checkedId());
                            return ReadResult();
                        }});
}

void DataExchange::ComboIndex(QComboBox* combo, ChoiceField field) {
    bindings.push_back({combo, [combo, field] { combo->setCurrentIndex(field.get()); },
                        [combo, field] {
                            field.set(combo->currentIndex());
                            return ReadResult();
                        }});
}

void DataExchange::Show() const {
    for (const Binding& binding : bindings) binding.show();
}

bool DataExchange::Read(const QWidget* skipped) const {
    for (const Binding& binding : bindings) {
        if (binding.control == skipped && skipped) continue;
        const ReadResult failure = binding.read();
        if (failure && binding.control->isEnabled()) {
            Fail(binding.control, *failure);
            return false;
        }
    }
    return true;
}

void DataExchange::Fail(QWidget* control, const QString& message) const {
    QMessageBox::warning(dialog, QGuiApplication::applicationDisplayName(), message);
    control->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->selectAll();
}
