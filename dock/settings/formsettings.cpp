#include "formsettings.h"
#include "common/logging.h"
#include "common/windowdrag.h"
#include "dock/icons/productlinks.h"
#include "ui_formsettings.h"

#include "dock/settings/customkeysequenceedit.h"
#include "platform/autostart.h"
#include "dock/settings/docksettings.h"
#include "dock/style/dockstyle.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QFile>
#include <QGuiApplication>
#include <QListView>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolTip>
#include <QUrl>

namespace {

// Scroll positions of the three pages: each heading 15 px below the top.
constexpr int HotKeyPage = 785;
constexpr int AdvancedPage = 1170;

const char *const SelectedChoice = "background-color:#5294E2;color:#FFFFFF;";
const char *const UnselectedChoice = "background-color:#C8C8C8;color:#000000;";
const char *const UnselectedTaskbar = "background-color:#C8C8C8;color:#FFFFFF;";

QString choiceStyle(const QString &picture, const char *state)
{
    const QString image = picture.isEmpty() ? QString() : QStringLiteral("border-image:url(%1);").arg(picture);
    const QString hot = QStringLiteral("background-color:#5294E2;color:#FFFFFF;");
    return QStringLiteral("QPushButton{%1%2border:none;border-radius:2px;}"
                          "QPushButton:hover{%3}QPushButton:pressed{%3}")
        .arg(image, QLatin1String(state), hot);
}

QString tabStyle(const QString &selectedPicture, const QString &picture, bool selected)
{
    const QString shape = QStringLiteral("border:none;color:#ffffff;background-repeat:no-repeat;"
                                         "background-position:center;"
                                         "border-top-left-radius:3px;border-bottom-left-radius:3px;"
                                         "border-top-right-radius:0px;border-bottom-right-radius:0px;");
    const QString bright = QStringLiteral("background-image:url(%1);background-color:rgba(255,255,255,255);")
                               .arg(selectedPicture);
    const QString dim = QStringLiteral("background-image:url(%1);background-color:rgba(255,255,255,0);").arg(picture);
    return QStringLiteral("QPushButton{%1%2}QPushButton:hover{%3}QPushButton:pressed{%3}")
        .arg(shape, selected ? bright : dim, bright);
}

QString pictureButtonStyle(const QString &normal, const QString &hot)
{
    return QStringLiteral("QPushButton{border-image:url(%1);background-color:rgba(0,0,0,0);}"
                          "QPushButton:hover{border-image:url(%2);}QPushButton:pressed{border-image:url(%2);}")
        .arg(normal, hot);
}

QFont panelFont(int pixels)
{
    QFont f(QStringLiteral("Microsoft YaHei"), 10, 10, false);
    f.setPixelSize(pixels);
    return f;
}

QString firstChordText(const QKeySequence &seq)
{
    return seq.toString(QKeySequence::PortableText).split(QStringLiteral(", ")).value(0);
}

// The wheel scrolls the page, also over a slider, a list or a number field:
// a control takes it only while it has the focus, which none of the page's
// takes, so the wheel never changes a setting the user has not touched.
class WheelToPage : public QObject
{
public:
    explicit WheelToPage(QAbstractScrollArea *page) : QObject(page), m_page(page) {}
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() != QEvent::Wheel || static_cast<QWidget *>(o)->hasFocus())
            return false;
        QCoreApplication::sendEvent(m_page->viewport(), e);
        return true;
    }

private:
    QAbstractScrollArea *m_page;
};

} // namespace

FormSettings::FormSettings(QWidget *parent) : QWidget(parent), ui(new Ui::FormSettings)
{
    ui->setupUi(this);
    connect(ui->MButton1, &QPushButton::clicked, this, &FormSettings::on_MButton1_clicked);
    connect(ui->MButton4, &QPushButton::clicked, this, &FormSettings::on_MButton4_clicked);
    connect(ui->MButton3, &QPushButton::clicked, this, &FormSettings::on_MButton3_clicked);
    connect(ui->Margin, &QSlider::valueChanged, this, &FormSettings::on_Margin_valueChanged);
    connect(ui->icoSize, &QSlider::valueChanged, this, &FormSettings::on_icoSize_valueChanged);
    connect(ui->icoScale, &QSlider::valueChanged, this, &FormSettings::on_icoScale_valueChanged);
    connect(ui->icoNameSize, &QSlider::valueChanged, this, &FormSettings::on_icoNameSize_valueChanged);
    connect(ui->TransparentBackground, &QSlider::valueChanged,
            this, &FormSettings::on_TransparentBackground_valueChanged);
    connect(ui->LanguageClick, QOverload<int>::of(&QComboBox::currentIndexChanged),
            this, &FormSettings::on_LanguageClick_currentIndexChanged);
    connect(ui->topButton, &QPushButton::clicked, this, &FormSettings::on_topButton_clicked);
    connect(ui->rightButton, &QPushButton::clicked, this, &FormSettings::on_rightButton_clicked);
    connect(ui->bottomButton, &QPushButton::clicked, this, &FormSettings::on_bottomButton_clicked);
    connect(ui->leftButton, &QPushButton::clicked, this, &FormSettings::on_leftButton_clicked);
    connect(ui->frontButton, &QPushButton::clicked, this, &FormSettings::on_frontButton_clicked);
    connect(ui->centerButton, &QPushButton::clicked, this, &FormSettings::on_centerButton_clicked);
    connect(ui->belowButton, &QPushButton::clicked, this, &FormSettings::on_belowButton_clicked);
    connect(ui->checkBoxTaskbarAlpha, &QCheckBox::clicked, this, &FormSettings::on_checkBoxTaskbarAlpha_clicked);
    connect(ui->StartUp, &QCheckBox::clicked, this, &FormSettings::on_StartUp_clicked);
    connect(ui->upgradeButton, &QPushButton::clicked, this, &FormSettings::on_upgradeButton_clicked);
    connect(ui->webButton, &QPushButton::clicked, this, &FormSettings::on_webButton_clicked);
    connect(ui->SuggestButton, &QPushButton::clicked, this, &FormSettings::on_SuggestButton_clicked);
    connect(ui->aboutButton, &QPushButton::clicked, this, &FormSettings::on_aboutButton_clicked);
    connect(ui->close, &QPushButton::clicked, this, &FormSettings::on_close_clicked);
    connect(ui->closeButton, &QPushButton::clicked, this, &FormSettings::on_closeButton_clicked);
    connect(ui->topButtonMission, &QPushButton::clicked, this, &FormSettings::on_topButtonMission_clicked);
    connect(ui->rightButtonMission, &QPushButton::clicked, this, &FormSettings::on_rightButtonMission_clicked);
    connect(ui->bottomButtonMission, &QPushButton::clicked, this, &FormSettings::on_bottomButtonMission_clicked);
    connect(ui->leftButtonMission, &QPushButton::clicked, this, &FormSettings::on_leftButtonMission_clicked);
    setWindowFlags(Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    new WindowDrag(this);

    for (QWidget *w : { static_cast<QWidget *>(ui->closeButton), static_cast<QWidget *>(ui->comboBoxBackgroundStyle_2),
                        static_cast<QWidget *>(ui->checkBoxWinShow), static_cast<QWidget *>(ui->checkBoxSensing),
                        static_cast<QWidget *>(ui->Upgrade), static_cast<QWidget *>(ui->LanguageClick),
                        static_cast<QWidget *>(ui->label_22) })
        w->hide();
    ui->scrollArea1->move(0, 0);
    for (QWidget *w : { static_cast<QWidget *>(ui->MButton2), static_cast<QWidget *>(ui->frame_6),
                        static_cast<QWidget *>(ui->checkBoxWorkArea), static_cast<QWidget *>(ui->checkBoxTaskbarblurry),
                        static_cast<QWidget *>(ui->checkBoxTaskbarHide), static_cast<QWidget *>(ui->checkBoxRunApp) })
        w->hide();

    // One item per screen attached now; the list is not rebuilt later.
    for (int i = 1; i <= QGuiApplication::screens().size(); ++i)
        ui->comboBoxScreen->addItem(tr("屏幕%1").arg(i));
    // Picking a screen by hand ends keeping a stored one that is not attached.
    connect(ui->comboBoxScreen, QOverload<int>::of(&QComboBox::activated), this, [this](int index) {
        keepStoredScreen = false;
        settings()->setScreen(index);
    });

    on_MButton1_clicked();
    ui->comboBoxIconClick->setCurrentIndex(1);
    bindToSettings();

    pageScrollBar = ui->scrollArea1->verticalScrollBar();
    connect(pageScrollBar, &QScrollBar::valueChanged, this, &FormSettings::valueChanged);
    pageScrollBar->setContextMenuPolicy(Qt::NoContextMenu);

    // Each hot key's field and clear button, in the order of dockHotkeys.
    QPushButton *const clearButtons[DockHotkeyCount] = { ui->keySequenceButton0, ui->keySequenceButton1,
                                                         ui->keySequenceButton2, ui->keySequenceButton3,
                                                         ui->keySequenceButton4 };
    for (int i = 0; i < DockHotkeyCount; ++i) {
        CustomKeySequenceEdit *edit = hotKeyEdit(i);
        const QString code = QLatin1String(dockHotkeys[i].name);
        connect(edit, &CustomKeySequenceEdit::setKey, this,
                [this, edit, code](QString key) { hotKeyTyped(edit, code, key); });
        connect(clearButtons[i], &QPushButton::clicked, this, [this, edit, code] { clearHotKey(edit, code); });
    }

    for (QWidget *w : { ui->label_36, ui->label_37, ui->label_38 })
        w->setFont(panelFont(18));
    const QList<QWidget *> twelve = {
        ui->MButton1, ui->MButton2, ui->MButton3, ui->MButton4, ui->label, ui->label_2, ui->label_3, ui->label_4,
        ui->label_5, ui->label_10, ui->label_12, ui->label_21, ui->label_22, ui->label_17, ui->label_30,
        ui->label_35, ui->label_25, ui->label_26, ui->label_27, ui->label_28, ui->label_29, ui->label_39,
        ui->topButton, ui->rightButton, ui->bottomButton, ui->leftButton, ui->frontButton, ui->centerButton,
        ui->belowButton, ui->keySequenceButton0, ui->keySequenceButton1, ui->keySequenceButton2,
        ui->keySequenceButton3, ui->keySequenceButton4, ui->keySequenceEditLaunchPad, ui->keySequenceEditvesk,
        ui->keySequenceEditScreenshot, ui->keySequenceEditColor, ui->keySequenceEditDock
    };
    for (QWidget *w : twelve)
        w->setFont(panelFont(12));

    ui->close->setStyleSheet(pictureButtonStyle(QStringLiteral(":/image/menu/c00.png"), QStringLiteral(":/image/menu/c1.png")));
    ui->mini->setStyleSheet(pictureButtonStyle(QStringLiteral(":/image/menu/n0.png"), QStringLiteral(":/image/menu/n1.png")));
    ui->closeButton->setStyleSheet(
        pictureButtonStyle(QStringLiteral(":/image/menu/close.png"), QStringLiteral(":/image/menu/close1.png")));
    for (QWidget *w : { ui->upgradeButton, ui->SuggestButton, ui->aboutButton, ui->keySequenceButton0,
                        ui->keySequenceButton1, ui->keySequenceButton2, ui->keySequenceButton3, ui->keySequenceButton4 })
        w->setStyleSheet(choiceStyle(QString(), UnselectedChoice));
    for (QComboBox *c : { ui->comboBoxScreen, ui->comboBoxBackgroundStyle, ui->comboBoxIconClick, ui->LanguageClick }) {
        c->setStyleSheet(DockStyle::comboSheet());
        c->setView(new QListView());
    }
    QString windowStyle = DockStyle::scrollBarSheet();
    windowStyle += QStringLiteral("QCheckBox{spacing:10px;}");
    // Without its pictures the indicator would be invisible; the style's own
    // box is better than none.
    if (QFile::exists(QStringLiteral(":/image/menu/chenck.png")) && QFile::exists(QStringLiteral(":/image/menu/chenck1.png")))
        windowStyle += QStringLiteral("QCheckBox::indicator{width:32px;height:32px;}"
                                      "QCheckBox::indicator:unchecked{image:url(:/image/menu/chenck.png);}"
                                      "QCheckBox::indicator:checked{image:url(:/image/menu/chenck1.png);}");
    setStyleSheet(windowStyle);
    for (QSlider *s : { ui->icoSize, ui->icoScale, ui->icoNameSize, ui->TransparentBackground, ui->Margin })
        s->setStyleSheet(DockStyle::sliderSheet());
    // Every control of the page that takes the wheel (not the lists its
    // combo boxes pop up, which are windows of their own).
    auto *wheelToPage = new WheelToPage(ui->scrollArea1);
    for (QWidget *w : ui->scrollAreaWidgetContents->findChildren<QWidget *>()) {
        const bool takesWheel = qobject_cast<QAbstractSlider *>(w) || qobject_cast<QComboBox *>(w)
            || qobject_cast<QAbstractSpinBox *>(w);
        if (takesWheel && w->window() == window())
            w->installEventFilter(wheelToPage);
    }
    ui->Margin->setEnabled(true);
    ui->webButton->setText(QUrl(homePage()).host());

    selectEdge(-1);
    selectLevel(-1);
    selectTaskbarButton(-1);
}

FormSettings::~FormSettings()
{
    releaseSaves();
    delete ui;
}

QString FormSettings::homePage()
{
    return ProductLinks::webHost() + QLatin1Char('/');
}

void FormSettings::showNewVersion()
{
    ui->Upgrade->setVisible(true);
    ui->upgradeButton->setText(tr("发现新版本"));
}

// ---- reading and saving ----------------------------------------------------

void FormSettings::setSettings(DockSettings *settings)
{
    m_settings = settings;
}

DockSettings *FormSettings::settings() const
{
    return m_settings ? m_settings : DockSettings::instance();
}

QList<FormSettings::Bound> FormSettings::numbers() const
{
    using Key = DockSettings::Key;
    // In the order they are read: a slider that changes tells the dock at once.
    return { { Key::icoSize, ui->icoSize }, { Key::icoNameSize, ui->icoNameSize }, { Key::icoScale, ui->icoScale },
             { Key::backgroundStyle, ui->comboBoxBackgroundStyle },
             { Key::transparentBackground, ui->TransparentBackground }, { Key::click, ui->comboBoxIconClick } };
}

QList<FormSettings::Switch> FormSettings::switches() const
{
    using Key = DockSettings::Key;
    return { { Key::iconDoubleClick, ui->IconDoubleClick }, { Key::locking, ui->checkBoxLocking },
             { Key::hide, ui->checkBoxHide }, { Key::upgradeNotice, ui->checkBoxUpgrade },
             { Key::mouseMaximize, ui->checkBoxMousePop }, { Key::mouseFullScreen, ui->checkBoxMousePop2 },
             { Key::inductionIco, ui->checkBoxSensing }, { Key::workArea, ui->checkBoxWorkArea },
             { Key::taskbarAlpha, ui->checkBoxTaskbarAlpha }, { Key::taskbarBlurry, ui->checkBoxTaskbarblurry },
             { Key::taskbarHide, ui->checkBoxTaskbarHide }, { Key::desktopIcon, ui->checkBoxDesktopIcon },
             { Key::winShow, ui->checkBoxWinShow } };
}

// Made once the panel is built: building it sets no key.
void FormSettings::bindToSettings()
{
    // A switch is set by the user's click only, not when the panel ticks it
    // to show the file; a number whenever its control takes another value.
    for (const Switch &s : switches())
        connect(s.box, &QCheckBox::clicked, this, [this, key = s.key](bool on) { settings()->store(key, on); });
    for (const Bound &b : numbers()) {
        const auto store = [this, key = b.key](int v) { settings()->store(key, v); };
        if (auto *slider = qobject_cast<QAbstractSlider *>(b.control))
            connect(slider, &QAbstractSlider::valueChanged, this, store);
        else
            connect(static_cast<QComboBox *>(b.control), QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                    store);
    }
    // The margin and the screen, which are read apart from the others.
    connect(ui->Margin, &QSlider::valueChanged, this, [this](int v) { settings()->setMargin(v); });
    connect(ui->comboBoxScreen, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this](int index) {
        // A stored screen that is not attached stays the setting (the bar
        // stands on the first screen meanwhile) until the user picks one.
        if (!keepStoredScreen)
            settings()->setScreen(index);
    });
}

// The panel shows the file as it stands: a key it does not hold reads as 0,
// false or empty, whatever the dock makes of it.
void FormSettings::readSettings()
{
    using Key = DockSettings::Key;
    DockSettings &set = *settings();
    // Open: what is changed here reaches the file when the panel closes.
    set.holdSaves(true);
    m_holding = &set;

    // Each control sets its key as it takes another value: what the file
    // holds of the screen and the margin is taken before any is set.
    const int screen = set.stored(Key::screen).toInt();
    const bool screenStored = set.hasText(Key::screen);
    const int margin = set.stored(Key::margin).toInt();
    const int attached = qMin(ui->comboBoxScreen->count(), QGuiApplication::screens().size());
    if (screen >= 0 && screen < attached) {
        keepStoredScreen = false;
        ui->comboBoxScreen->setCurrentIndex(screen);
    } else {
        // The stored screen is not attached now (a monitor unplugged): show the
        // first one, and keep the user's choice for when it comes back.
        keepStoredScreen = true;
        storedScreen = screen;
        ui->comboBoxScreen->setCurrentIndex(0);
    }
    level = set.stored(Key::level).toInt();
    position = set.stored(Key::location).toInt();
    for (const Bound &b : numbers()) {
        const int v = set.stored(b.key).toInt();
        if (auto *slider = qobject_cast<QAbstractSlider *>(b.control))
            slider->setValue(v);
        else
            static_cast<QComboBox *>(b.control)->setCurrentIndex(v);
    }
    // The member first, so the combo's handler sees no change of language;
    // an index the list does not have (a damaged file) shows no language, and
    // is no choice of the user's to save and restart on.
    language = set.stored(Key::language).toInt();
    if (language < 0 || language >= ui->LanguageClick->count())
        language = -1;
    ui->LanguageClick->setCurrentIndex(language);

    // A switch that reads true ticks its box; one that reads false leaves it.
    for (const Switch &s : switches()) {
        if (set.stored(s.key).toBool()) {
            s.box->setChecked(true);
            if (s.box == ui->checkBoxTaskbarAlpha)
                ui->checkBoxTaskbarblurry->setVisible(true);
        }
    }

    for (int i = 0; i < DockHotkeyCount; ++i)
        hotKeyEdit(i)->showKeyText(set.stored(dockHotkeys[i].key).toString());

    // A third of the width of the screen shown.
    if (screenStored) {
        const QList<QScreen *> screens = QGuiApplication::screens();
        QScreen *s = screens.value(keepStoredScreen ? 0 : screen);
        if (s)
            ui->Margin->setMaximum(s->availableGeometry().width() / 3);
    }
    ui->Margin->setValue(margin);

    const QString program = platform::Autostart::programPath();
    qCDebug(lcDesktop) << "读取注册表！当前路径：" << program;
    const QString stored = platform::AutostartService::get().value(QStringLiteral("error"));
    qCDebug(lcDesktop) << stored;
    // The box shows the entry as it is now, also after it was changed elsewhere.
    ui->StartUp->setChecked(stored == program);

    selectEdge(position);
    selectLevel(level);
}

void FormSettings::SaveSettings()
{
    DockSettings &set = *settings();
    set.setScreen(keepStoredScreen ? storedScreen : ui->comboBoxScreen->currentIndex());
    set.setLevel(level);
    set.setLocation(position);
    set.setMargin(ui->Margin->value());
    for (const Bound &b : numbers()) {
        auto *slider = qobject_cast<QAbstractSlider *>(b.control);
        set.store(b.key, slider ? slider->value() : static_cast<QComboBox *>(b.control)->currentIndex());
    }
    set.setLanguage(QString::number(ui->LanguageClick->currentIndex()));
    for (const Switch &s : switches())
        set.store(s.key, s.box->isChecked());
    set.save();
}

void FormSettings::appAutoRun(bool bAutoRun)
{
    // One session entry stands for both places the dock was started from.
    platform::AutostartService::get().setValue(bAutoRun ? platform::Autostart::programPath() : QString());
}

// ---- tabs and pages ----------------------------------------------------------

void FormSettings::selectTab(int tab)
{
    ui->MButton1->setStyleSheet(
        tabStyle(QStringLiteral(":/image/menu/Basic.png"), QStringLiteral(":/image/menu/Basic0.png"), tab == 0));
    ui->MButton4->setStyleSheet(
        tabStyle(QStringLiteral(":/image/menu/Keyboard.png"), QStringLiteral(":/image/menu/Keyboard0.png"), tab == 1));
    ui->MButton3->setStyleSheet(
        tabStyle(QStringLiteral(":/image/menu/Advanced.png"), QStringLiteral(":/image/menu/Advanced0.png"), tab == 2));
}

void FormSettings::on_MButton1_clicked()
{
    selectTab(0);
    if (pageScrollBar)
        pageScrollBar->setValue(0);
}

void FormSettings::on_MButton4_clicked()
{
    selectTab(1);
    if (pageScrollBar)
        pageScrollBar->setValue(HotKeyPage);
}

void FormSettings::on_MButton3_clicked()
{
    selectTab(2);
    if (pageScrollBar)
        pageScrollBar->setValue(AdvancedPage);
}

void FormSettings::valueChanged(int v)
{
    selectTab(v < HotKeyPage ? 0 : v < AdvancedPage ? 1 : 2);
}

// ---- values passed on --------------------------------------------------------

void FormSettings::on_Margin_valueChanged(int value)
{
    ui->labelicoSize_2->setText(tr("%1px").arg(value));
}

void FormSettings::on_icoSize_valueChanged(int value)
{
    ui->labelicoSize->setText(tr("%1px").arg(value));
}

void FormSettings::on_icoScale_valueChanged(int value)
{
    ui->labelicoScale->setText(tr("%1px").arg(value));
}

void FormSettings::on_icoNameSize_valueChanged(int value)
{
    ui->labeicoNameSize->setText(tr("%1pt").arg(value));
}

void FormSettings::on_TransparentBackground_valueChanged(int value)
{
    const int t = int((value - 2) / 253.0 * 100);
    ui->TransparentBackgroundSize->setText(tr("%1%").arg(100 - t));
}

void FormSettings::on_LanguageClick_currentIndexChanged(int index)
{
    if (index == language)
        return;
    // Saved with every other key: the dock hears of the new language and
    // offers to restart on it.
    SaveSettings();
}

void FormSettings::on_checkBoxTaskbarAlpha_clicked(bool checked)
{
    ui->checkBoxTaskbarblurry->setVisible(checked);
}

void FormSettings::on_StartUp_clicked(bool)
{
    appAutoRun(ui->StartUp->isChecked());
}

// ---- edge, level and taskbar buttons -----------------------------------------

void FormSettings::selectEdge(int edge)
{
    QPushButton *buttons[] = { ui->topButton, ui->rightButton, ui->bottomButton, ui->leftButton };
    const char *pictures[] = { ":/image/menu/top0.png", ":/image/menu/right0.png", ":/image/menu/bottom0.png",
                               ":/image/menu/left0.png" };
    for (int i = 0; i < 4; ++i)
        buttons[i]->setStyleSheet(choiceStyle(QLatin1String(pictures[i]), i == edge ? SelectedChoice : UnselectedChoice));
}

void FormSettings::selectLevel(int v)
{
    QPushButton *buttons[] = { ui->frontButton, ui->centerButton, ui->belowButton };
    for (int i = 0; i < 3; ++i)
        buttons[i]->setStyleSheet(choiceStyle(QString(), i == v ? SelectedChoice : UnselectedChoice));
}

void FormSettings::selectTaskbarButton(int which)
{
    QPushButton *buttons[] = { ui->topButtonMission, ui->rightButtonMission, ui->bottomButtonMission,
                               ui->leftButtonMission };
    const char *pictures[] = { ":/image/menu/top.png", ":/image/menu/right.png", ":/image/menu/bottom.png",
                               ":/image/menu/left.png" };
    for (int i = 0; i < 4; ++i)
        buttons[i]->setStyleSheet(
            choiceStyle(QLatin1String(pictures[i]), i == which ? SelectedChoice : UnselectedTaskbar));
}

void FormSettings::on_topButton_clicked() { chooseEdge(0); }
void FormSettings::on_rightButton_clicked() { chooseEdge(1); }
void FormSettings::on_bottomButton_clicked() { chooseEdge(2); }
void FormSettings::on_leftButton_clicked() { chooseEdge(3); }
void FormSettings::on_frontButton_clicked() { chooseLevel(0); }
void FormSettings::on_centerButton_clicked() { chooseLevel(1); }
void FormSettings::on_belowButton_clicked() { chooseLevel(2); }

void FormSettings::chooseEdge(int edge)
{
    selectEdge(edge);
    position = edge;
    settings()->setLocation(edge);
}

void FormSettings::chooseLevel(int v)
{
    selectLevel(v);
    level = v;
    settings()->setLevel(v);
}

// The system taskbar cannot be moved or hidden from here on this desktop;
// the buttons only show the choice.
void FormSettings::on_topButtonMission_clicked() { selectTaskbarButton(0); }
void FormSettings::on_rightButtonMission_clicked() { selectTaskbarButton(1); }
void FormSettings::on_bottomButtonMission_clicked() { selectTaskbarButton(2); }
void FormSettings::on_leftButtonMission_clicked() { selectTaskbarButton(3); }

// ---- hot keys -----------------------------------------------------------------

CustomKeySequenceEdit *FormSettings::hotKeyEdit(int i) const
{
    CustomKeySequenceEdit *const edits[DockHotkeyCount] = { ui->keySequenceEditLaunchPad, ui->keySequenceEditvesk,
                                                            ui->keySequenceEditScreenshot, ui->keySequenceEditColor,
                                                            ui->keySequenceEditDock };
    return edits[i];
}

void FormSettings::hotKeyTyped(CustomKeySequenceEdit *edit, const QString &code, const QString &key)
{
    // An empty text would be stored, and the dock puts the defaults back for
    // an empty hot key at its next start; switching off sends "Alt".
    if (key.isEmpty())
        return;
    const QString chord = firstChordText(QKeySequence(key, QKeySequence::PortableText));
    for (int i = 0; i < DockHotkeyCount; ++i) {
        CustomKeySequenceEdit *other = hotKeyEdit(i);
        if (other != edit && firstChordText(other->keySequence()) == chord) {
            // Re-binding would take the chord from the other hot key.
            edit->revert();
            showHint(edit, tr("此热键已被其他功能使用！"));
            return;
        }
    }
    emit setKey(code, key);
}

void FormSettings::clearHotKey(CustomKeySequenceEdit *edit, const QString &code)
{
    // "Alt" alone binds no key and, unlike an empty text, is kept by the dock
    // across restarts.
    emit setKey(code, QStringLiteral("Alt"));
    edit->setKeySequence(QKeySequence());
}

void FormSettings::showHint(QWidget *near, const QString &text)
{
    QToolTip::showText(near->mapToGlobal(QPoint(0, near->height())), text, near);
}

// ---- update, links, about --------------------------------------------------------

void FormSettings::on_upgradeButton_clicked()
{
    ui->Upgrade->hide();
    ui->upgradeButton->setText(tr("检查更新"));
    emit upDate();
}

void FormSettings::on_webButton_clicked()
{
    QDesktopServices::openUrl(QUrl(homePage()));
}

void FormSettings::on_SuggestButton_clicked()
{
    QUrl url(homePage());
    url.setPath(QStringLiteral("/bbs/forum.php"));
    url.setQuery(QStringLiteral("mod=forumdisplay&fid=37"));
    QDesktopServices::openUrl(url);
}

void FormSettings::on_aboutButton_clicked()
{
    emit showAbout();
}

// ---- closing, dragging, resizing -----------------------------------------------

void FormSettings::on_close_clicked()
{
    emit setClose();
    hide();
    SaveSettings();
    releaseSaves();
}

void FormSettings::releaseSaves()
{
    if (m_holding)
        m_holding->holdSaves(false);
    m_holding = nullptr;
}

void FormSettings::on_closeButton_clicked()
{
    on_close_clicked();
}

void FormSettings::closeEvent(QCloseEvent *event)
{
    on_close_clicked();
    event->accept();
}

void FormSettings::resizeEvent(QResizeEvent *)
{
    ui->frame_main->resize(width(), height());
    ui->frame_4->resize(ui->frame_4->width(), ui->frame_main->height());
    ui->frame_5->resize(ui->frame_5->width(), ui->frame_main->height() - 55);
    ui->scrollArea1->resize(ui->frame_5->width() - 1, ui->frame_5->height() - 1);
}
