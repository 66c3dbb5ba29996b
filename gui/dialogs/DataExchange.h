#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

// Numbers as dialogs show and read them, independent of the user's locale: "212.58", never
// "212,58". Blanks around the number are allowed; anything else makes the text no number.
std::optional<int> IntOfText(const QString& text);
std::optional<unsigned> UnsignedOfText(const QString& text);
std::optional<double> NumberOfText(const QString& text);
QString TextOfInt(long long value);
// Fifteen significant digits without trailing zeros: 180, 212.58, -0.25.
QString TextOfNumber(double value);

// Binds a dialog's controls to the fields of its record. Show() fills every control from its
// field; Read() takes the controls back in the order they were bound, and the first one that
// does not hold a valid value is reported in a warning box, gets the focus and stops the read
// (fields before it are already taken). A disabled control the user cannot correct never
// stops a read: when its text is not valid its field keeps its value.
class DataExchange {
  public:
    explicit DataExchange(QWidget* dialog) : dialog(dialog) {}

    void Int(QLineEdit* edit, int& field);
    void Int(QLineEdit* edit, int& field, int min, int max);
    void Unsigned(QLineEdit* edit, unsigned& field);
    void Number(QLineEdit* edit, double& field);
    void Number(QLineEdit* edit, double& field, double min, double max);
    void Text(QLineEdit* edit, std::string& field);
    void Text(QLabel* label, std::string& field);
    void Check(QAbstractButton* box, int& field);
    // The group's buttons carry the ids 0, 1, ...; -1 stands for no button checked.
    void Radio(QButtonGroup* group, int& field) { Radio(group, NumberOf(field)); }
    void ComboIndex(QComboBox* combo, int& field) { ComboIndex(combo, NumberOf(field)); }
    // A field of an int-sized enum goes through its number.
    template <typename Enum>
    requires std::is_enum_v<Enum>
    void Radio(QButtonGroup* group, Enum& field) { Radio(group, NumberOf(field)); }
    template <typename Enum>
    requires std::is_enum_v<Enum>
    void ComboIndex(QComboBox* combo, Enum& field) { ComboIndex(combo, NumberOf(field)); }

    void Show() const;
    // skipped: a control whose content is about to be replaced and so is not read.
    bool Read(const QWidget* skipped = nullptr) const;

  private:
    // What went wrong with a control's content; none when its field was taken.
    using ReadResult = std::optional<QString>;

    // How a choice control reaches its field: the number it shows, and where a number goes.
    struct ChoiceField {
        std::function<int()> get;
        std::function<void(int)> set;
    };
    template <typename Field>
    static ChoiceField NumberOf(Field& field) {
        return {[&field] { return static_cast<int>(field); },
                [&field](int value) { field = static_cast<Field>(value); }};
    }
    void Radio(QButtonGroup* group, ChoiceField field);
    void ComboIndex(QComboBox* combo, ChoiceField field);

    struct Binding {
        QWidget* control;
        std::function<void()> show;
        std::function<ReadResult()> read;
    };

    // An edit holding a number: parse gives the value or none, check the range message or none.
    template <typename T, typename ParseFn, typename RangeFn>
    void NumberEdit(QLineEdit* edit, T& field, ParseFn parse, const QString& notANumber,
                    RangeFn check);
    void Fail(QWidget* control, const QString& message) const;

    QWidget* dialog;
    std::vector<Binding> bindings;
};
