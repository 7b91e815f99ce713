// A seeded random walk through every window: clicks, boxes, lists, hostile typing,
// pointer moves over charts and maps, activations and closes. After every action nothing
// may show "nan" or "inf", and the tables behind both charts must agree with what they
// were built from. On failure the seed and the last actions are printed for a replay:
//   VELMARO_WALK_SEED=<seed> VELMARO_WALK_STEPS=<n> ./tst_randomwalk
#define QTEST_QPA_MOUSE_HANDLING

#include <cmath>
#include <deque>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSlider>

#include "WindowSetFixture.h"
#include "core/NumberText.h"
#include "ui/charting/CurveChart.h"
#include "ui/economics/EconomicChartWindow.h"
#include "ui/yieldchart/YieldChartWindow.h"

namespace {

const QStringList Hostile{QString(),
                          QStringLiteral("abc"),
                          QStringLiteral("0,5"),
                          QStringLiteral("1e400"),
                          QStringLiteral("-5"),
                          QStringLiteral(" 7 "),
                          QStringLiteral("nan"),
                          QStringLiteral("inf"),
                          QStringLiteral("1e308"),
                          QStringLiteral("-0.0000"),
                          QStringLiteral("99999999999"),
                          QStringLiteral("40.5"),
                          QStringLiteral("ppm"),
                          QString(10000, u'9'),
                          QStringLiteral("ñandú"),
                          QStringLiteral("150"),
                          QStringLiteral("600"),
                          QStringLiteral("60"),
                          QStringLiteral("0"),
                          QStringLiteral("25")};

int envInt(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

} // namespace

class TestRandomWalk : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void walk();

private:
    void act(QRandomGenerator& random);
    QString check() const;
    template <typename T> QList<T*> visible(bool enabledOnly = true) const;

    std::unique_ptr<WindowSetFixture> f_;
    std::deque<QString> recent_;
    QTemporaryDir dir_;
};

template <typename T> QList<T*> TestRandomWalk::visible(bool enabledOnly) const
{
    QList<T*> found;
    for (QWidget* w : f_->set->windows()) {
        if (!w->isVisible())
            continue;
        for (T* child : w->findChildren<T*>())
            if (child->isVisible() && (!enabledOnly || child->isEnabled()))
                found << child;
    }
    return found;
}

void TestRandomWalk::act(QRandomGenerator& random)
{
    const auto pick = [&random](const auto& list) { return list.at(random.bounded(int(list.size()))); };
    const auto describe = [](QObject* o) -> QString {
        QObject* top = o;
        while (top->parent())
            top = top->parent();
        return top->objectName() + u'/' + o->objectName();
    };
    const int kind = random.bounded(100);
    if (kind < 30) {
        const auto buttons = visible<QAbstractButton>();
        if (buttons.isEmpty())
            return;
        QAbstractButton* b = pick(buttons);
        recent_.push_back(QStringLiteral("click ") + describe(b) + u' ' + b->text());
        b->click();
    } else if (kind < 45) {
        auto edits = visible<QLineEdit>();
        edits.removeIf([](QLineEdit* e) { return e->isReadOnly(); });
        if (edits.isEmpty())
            return;
        QLineEdit* e = pick(edits);
        const QString text = random.bounded(3) == 0 ? QString::number(random.bounded(300)) : pick(Hostile);
        recent_.push_back(QStringLiteral("type %1 '%2'").arg(describe(e), text.left(20)));
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Backspace);
        // Keys for short plain texts, as typed; the rest as if pasted.
        bool plain = text.size() <= 40;
        for (QChar c : text)
            plain = plain && c.unicode() >= 0x20 && c.unicode() < 0x7f;
        if (plain)
            QTest::keyClicks(e, text);
        else
            e->insert(text);
        if (random.bounded(2))
            QTest::keyClick(e, Qt::Key_Return);
    } else if (kind < 52) {
        const auto lists = visible<QComboBox>();
        if (lists.isEmpty())
            return;
        QComboBox* c = pick(lists);
        const int index = random.bounded(c->count() + 1) - 1;
        recent_.push_back(QStringLiteral("choose ") + describe(c) + u' ' + QString::number(index));
        c->setCurrentIndex(index);
        if (index >= 0)
            Q_EMIT c->activated(index);
    } else if (kind < 57) {
        const auto sliders = visible<QSlider>();
        if (sliders.isEmpty())
            return;
        QSlider* s = pick(sliders);
        const int value = s->minimum() + random.bounded(s->maximum() - s->minimum() + 1);
        recent_.push_back(QStringLiteral("slide ") + describe(s) + u' ' + QString::number(value));
        s->setValue(value);
    } else if (kind < 80) {
        // Pointer moves over whatever visible window, charts and maps most of all.
        QList<QWidget*> targets;
        for (QWidget* w : f_->set->windows())
            if (w->isVisible())
                targets << w;
        for (CurveChart* chart : visible<CurveChart>(false))
            targets << chart << chart << chart;
        if (targets.isEmpty())
            return;
        QWidget* target = pick(targets);
        for (int i = 0; i < 6; ++i) {
            const QPoint p(random.bounded(std::max(1, target->width())), random.bounded(std::max(1, target->height())));
            recent_.push_back(QStringLiteral("move %1 %2,%3").arg(describe(target)).arg(p.x()).arg(p.y()));
            QTest::mouseMove(target, p);
        }
    } else if (kind < 92) {
        QList<VelmaroWindow*> windows;
        for (QWidget* w : f_->set->windows())
            if (auto* v = qobject_cast<VelmaroWindow*>(w); v && v->isVisible())
                windows << v;
        if (windows.isEmpty())
            return;
        VelmaroWindow* w = pick(windows);
        recent_.push_back(QStringLiteral("activate ") + w->objectName());
        w->onActivated();
        Q_EMIT w->activated();
    } else {
        QList<QWidget*> windows;
        for (QWidget* w : f_->set->windows())
            if (w->isVisible() && w != &f_->set->mainWindow())
                windows << w;
        if (windows.isEmpty())
            return;
        QWidget* w = pick(windows);
        recent_.push_back(QStringLiteral("close ") + w->objectName());
        w->close();
    }
    while (recent_.size() > 40)
        recent_.pop_front();
}

QString TestRandomWalk::check() const
{
    static const QRegularExpression notANumber(QStringLiteral("(^|[^a-z])(nan|inf)($|[^a-z])"),
                                               QRegularExpression::CaseInsensitiveOption);
    for (QWidget* w : f_->set->windows()) {
        for (QLineEdit* e : w->findChildren<QLineEdit*>())
            if (e->isReadOnly() && notANumber.match(e->text()).hasMatch())
                return w->objectName() + u'/' + e->objectName() + QStringLiteral(" shows ") + e->text().left(40);
        for (QLabel* l : w->findChildren<QLabel*>())
            if (notANumber.match(l->text()).hasMatch())
                return w->objectName() + u'/' + l->objectName() + QStringLiteral(" shows ") + l->text().left(40);
    }

    // The yield table is what the captured coefficients give, and the points are its texts.
    const YieldChartWindow& yield = f_->set->yieldChart();
    const bool built = !yield.yieldTable().cell(1, 0).isEmpty();
    for (int k = 1; k <= 9 && built; ++k) {
        const auto& c = yield.coefficients()[k - 1];
        for (int n : {40, 77, 101, 190}) {
            const QString cell = yield.yieldTable().cell(n, k);
            const QString expected = std::isfinite(c.at(n)) ? NumberText::format(c.at(n), 6, 2) : QString();
            if (cell != expected)
                return QStringLiteral("yield table row %1 column %2: %3, not %4").arg(k).arg(n).arg(cell, expected);
        }
    }

    // Incomes are the rounded yield differences at the price of the last rebuild.
    const EconomicTable& t = f_->set->economicChart().economicTable();
    if (!t.cell(41, 10).isEmpty()) {
        for (int k = 1; k <= 9; ++k) {
            for (int n : {41, 115, 189}) {
                const double expected = (t.number(n, k) - t.number(n - 1, k)) * (t.grainPricePerTonne() / 1000.0);
                const QString want = std::isfinite(expected) ? NumberText::format(expected, 6, 2) : QString();
                if (t.cell(n, 9 + k) != want)
                    return QStringLiteral("income row %1 column %2: %3, not %4")
                        .arg(9 + k)
                        .arg(n)
                        .arg(t.cell(n, 9 + k), want);
            }
        }
        const double cost = t.nCostPerTonne() / 1000.0;
        const QString wantCost = std::isfinite(cost) ? NumberText::format(cost, 6, 2) : QString();
        if (t.cell(100, 19) != wantCost)
            return QStringLiteral("cost row: %1, not %2").arg(t.cell(100, 19), wantCost);
    }
    return {};
}

void TestRandomWalk::walk()
{
    const int steps = envInt("VELMARO_WALK_STEPS", 5000);
    const quint32 seed = quint32(envInt("VELMARO_WALK_SEED", 20261208));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir_.path());
    QFile::copy(QStringLiteral(VELMARO_SOURCE_DIR "/velmaro.rtf"), QStringLiteral("velmaro.rtf"));
    f_ = std::make_unique<WindowSetFixture>();
    QRandomGenerator random(seed);
    for (int step = 0; step < steps; ++step) {
        act(random);
        const QString fault = check();
        if (!fault.isEmpty()) {
            QStringList lines;
            for (const QString& a : recent_)
                lines << QStringLiteral("  ") + a;
            QFAIL(qPrintable(QStringLiteral("step %1 of the walk with seed %2: %3\nlast actions:\n%4")
                                 .arg(step)
                                 .arg(seed)
                                 .arg(fault, lines.join(u'\n'))));
        }
        if (!f_->set->mainWindow().isVisible())
            f_->set->mainWindow().show();
    }
    f_.reset();
    QDir::setCurrent(previous);
}

QTEST_MAIN(TestRandomWalk)
#include "tst_randomwalk.moc"
