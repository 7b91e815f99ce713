#pragma once

#include <array>
#include <optional>

#include <QString>
#include <QWidget>

class QLineEdit;
class EconomicSituation;
class ErrorReporter;
class HelpMark;

// The economic chart's top row: the net grain price, the cost of nitrogen and the
// reference available N, each with its help mark, and the way to the dose advice. A value
// counts once Enter or leaving its field confirms it; a refused one is said once, marked
// in its field and left there to be mended, and the confirmed value stays what counts.
class EconomicInputRow : public QWidget {
    Q_OBJECT
public:
    enum Field { GrainPrice, NCost, ReferenceN };

    EconomicInputRow(EconomicSituation& situation, ErrorReporter& errors, QWidget* parent);
    ~EconomicInputRow() override;

    // The texts every number of the chart is computed with.
    const QString& confirmed(Field field) const { return confirmed_[field]; }
    // A value handed in (a reopened case, an assistant): put in its field and confirmed.
    // Returns whether the confirmed value changed.
    bool take(Field field, const QString& text);
    // Confirms the three fields as they stand; true when all three were taken.
    bool confirmAll();
    // The focus to the grain price, or to a refused text to be mended.
    void focusFirstToMend();
    void resetMarks();

Q_SIGNALS:
    // Enter or leaving a field changed a confirmed value.
    void confirmedChanged();
    void lowNitrogenWarning();
    void windowRequested(const QString& objectName);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Takes the field's text when it reads; returns whether the confirmed value changed.
    bool confirm(Field field);

    EconomicSituation& situation_;
    ErrorReporter& errors_;
    std::array<QLineEdit*, 3> edits_{}; // Edit1, Edit2, Edit3, by Field
    std::array<HelpMark*, 3> marks_{};  // Label16, Label17, Label18
    std::array<QString, 3> confirmed_{QStringLiteral("115"), QStringLiteral("600"), QStringLiteral("40")};
    std::array<std::optional<QString>, 3> reported_; // the refused text already said, by Field
};
