// The surfaces page: the kind-and-state rule, presets on new rows, the
// codes saved, the duplicate check, window and door panels, the U-value
// dialog, and the keys that leave the page or the whole chain.
#include "PageFixture.h"

#include "boravest/building/U4.h"
#include "platform/ui/ClickLabel.h"
#include "platform/ui/DbControls.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using namespace pagetest;
using surfaces::Controls;
using surfaces::Lists;

namespace {

Lists L(int kind, int state = -1, int direction = -1, int ceiling = -1, int floorState = -1)
{
    Lists l;
    l.kind = kind;
    l.state = state;
    l.direction = direction;
    l.ceiling = ceiling;
    l.floorState = floorState;
    return l;
}

// What the panel shows, as one comparable text.
std::string shown(const Controls &c)
{
    QStringList s;
    s << (c.temperatureOnTi ? "Ti_" : "To_");
    s << QStringLiteral("state %1%2").arg(c.stateShown ? "shown" : "hidden", c.stateEnabled ? "" : " disabled");
    s << (c.floorStateShown ? "floor state shown" : "floor state hidden");
    s << QStringLiteral("direction %1%2").arg(c.directionShown ? "shown" : "hidden", c.directionEnabled ? "" : " disabled");
    s << QStringLiteral("ceiling %1%2").arg(c.ceilingShown ? "shown" : "hidden", c.ceilingEnabled ? "" : " disabled");
    s << QStringLiteral("caption '%1'").arg(c.directionCaption);
    s << (c.uShown ? "U" : "no U");
    if (c.falseCeilingShown)
        s << "false ceiling";
    if (c.perimeterShown)
        s << "perimeter";
    return s.join(", ").toStdString();
}

std::string lists(const Lists &l)
{
    return QStringLiteral("%1 %2 %3 %4 %5").arg(l.kind).arg(l.state).arg(l.direction).arg(l.ceiling).arg(l.floorState).toStdString();
}

} // namespace

TEST(SurfaceRules, KindAndStateDecideWhatTheEntryPanelShows)
{
    const std::string wallLike = ", state shown, floor state hidden, direction shown, ceiling hidden disabled, "
                                 "caption 'جهت جدار', U";
    struct Case {
        Lists in;
        Lists out;
        std::string shows;
    } cases[] = {
        // Nothing chosen: a wall; the temperature was decided before the
        // state took its default.
        {L(-1), L(0, 0), "To_" + wallLike},
        {L(0, 0, 3), L(0, 0, 3), "Ti_" + wallLike},
        {L(0, 1, 3), L(0, 1, 3), "To_" + wallLike},
        {L(1), L(1, 0), "To_" + wallLike},
        {L(1, 0), L(1, 0), "Ti_" + wallLike},
        {L(2, 1, 7), L(2, 1, 7), "To_" + wallLike},
        // Roofs: the ceiling type only for an external roof.
        {L(3), L(3, 0), "To_, state shown, floor state hidden, direction hidden, ceiling shown disabled, "
                        "caption 'نوع سقف خارجي', U"},
        {L(3, 0, -1, 1), L(3, 0), "Ti_, state shown, floor state hidden, direction hidden, ceiling shown disabled, "
                                  "caption 'نوع سقف خارجي', U"},
        {L(3, 1), L(3, 1, -1, 0), "To_, state shown, floor state hidden, direction hidden, ceiling shown, "
                                  "caption 'نوع سقف خارجي', U"},
        {L(3, 1, -1, 1), L(3, 1, -1, 1), "To_, state shown, floor state hidden, direction hidden, ceiling shown, "
                                         "caption 'نوع سقف خارجي', U, false ceiling"},
        // Floors: their own state list, no direction.
        {L(4, 0), L(4, 0, -1, -1, 1), "To_, state hidden disabled, floor state shown, direction hidden disabled, "
                                      "ceiling hidden disabled, caption '', U"},
        {L(4, -1, 2, -1, 0), L(4, -1, 2, -1, 0), "To_, state hidden disabled, floor state shown, direction hidden "
                                                 "disabled, ceiling hidden disabled, caption '', no U, perimeter"},
    };
    for (const Case &c : cases) {
        Lists l = c.in;
        const Controls got = surfaces::arrange(l);
        EXPECT_EQ(shown(got), c.shows) << lists(c.in);
        EXPECT_EQ(lists(l), lists(c.out)) << lists(c.in);
    }
}

TEST(SurfaceRules, CodesSavedFromTheLists)
{
    struct Case {
        Lists in;
        int kind, state, direction;
        QString word;
    } cases[] = {
        {L(0, 1, 0), 0, 1, 0, "ديوار"},      {L(1, 0, 5), 1, 0, 5, "پنجره"},    {L(2, 1, -1), 2, 1, -1, "درب"},
        {L(3, 0, 4, 1), 3, 0, -1, "سقف"},     {L(3, 1, 4, 1), 3, 1, 1, "سقف"},   {L(3, 1, 4, 0), 3, 1, 0, "سقف"},
        {L(4, 1, 3, 1, 0), 4, 0, -1, "كف"},   {L(4, 0, 3, 0, 1), 4, 1, -1, "كف"},
    };
    for (const Case &c : cases) {
        Lists l = c.in;
        const Controls shownNow = surfaces::arrange(l);
        const surfaces::Codes got = surfaces::codes(l, shownNow);
        EXPECT_EQ(got.kind, c.kind) << lists(c.in);
        EXPECT_EQ(got.state, c.state) << lists(c.in);
        EXPECT_EQ(got.direction, c.direction) << lists(c.in);
        EXPECT_EQ(got.word, c.word) << lists(c.in);
    }
}

TEST(SurfaceRules, PresetsFromTheProjectRecord)
{
    surfaces::ProjectU p;
    p.VAL_K = 1, p.VAL_D = 2, p.Win_K = 3, p.Win_D = 4, p.DOR_K = 5, p.DOR_D = 6, p.Sakf_K = 7, p.Sakf_D = 8;
    struct Case {
        Lists in;
        double z1; // 0: none
        double z2;
    } cases[] = {{L(0, 0), 2, 0}, {L(0, 1), 1, 0}, {L(1, 0), 4, 0},       {L(1, 1), 3, 0},
                 {L(2, 0), 6, 0}, {L(2, 1), 5, 0}, {L(3, 0), 8, 0},       {L(3, 1, -1, 0), 7, 0},
                 {L(3, 1, -1, 1), 8, 7},           {L(4, -1, -1, -1, 1), 7, 0}, {L(4, -1, -1, -1, 0), 0, 0}};
    for (const Case &c : cases) {
        const surfaces::Preset r = surfaces::preset(c.in, p);
        EXPECT_EQ(r.hasZ1, c.z1 != 0) << lists(c.in);
        EXPECT_EQ(r.Z_1, c.z1) << lists(c.in);
        EXPECT_EQ(r.hasZ2, c.z2 != 0) << lists(c.in);
        EXPECT_EQ(r.Z_2, c.z2) << lists(c.in);
    }
}

TEST(SurfaceRules, MaterialLayersKindAndHeading)
{
    struct Case {
        Lists in;
        int kind;
        QString heading;
    } cases[] = {{L(0, 1), 1, "ديوار خارجي"},          {L(0, 0), 2, "ديوارداخلي"},
                 {L(3, 1, -1, 0), 3, "(سقف خارجي (معمولي"}, {L(3, 0), 4, "سقف داخلي"},
                 {L(3, 1, -1, 1), 4, "(سقف خارجي (كاذب"},  {L(4, -1, -1, -1, 1), 5, "كف منفصل از زمين"},
                 {L(4, -1, -1, -1, 0), 0, ""},           {L(1, 1), 0, ""},
                 {L(2, 0), 0, ""}};
    for (const Case &c : cases) {
        const surfaces::LayersRequest r = surfaces::layersRequest(c.in);
        EXPECT_EQ(r.kind, c.kind) << lists(c.in);
        EXPECT_EQ(r.heading, c.heading) << lists(c.in);
    }
}

TEST(SurfaceRules, WindowAndDoorChoicesByTheirUValueText)
{
    EXPECT_EQ(surfaces::windowChoiceFor(QStringLiteral("0.65")), 1);
    EXPECT_EQ(surfaces::windowChoiceFor(QStringLiteral("0.36")), 2);
    EXPECT_EQ(surfaces::windowChoiceFor(QStringLiteral("0.5")), 0);
    EXPECT_EQ(surfaces::doorChoiceFor(QStringLiteral("0.45")), 1); // the 2-inch wooden door comes first
    EXPECT_EQ(surfaces::doorChoiceFor(QStringLiteral("0.3")), 7);
    EXPECT_EQ(surfaces::doorChoiceFor(QStringLiteral("0.6")), 9);
    EXPECT_EQ(surfaces::doorChoiceFor(QStringLiteral("0.70")), 0);
    EXPECT_EQ(surfaces::doorChoiceFor(QString()), 0);
    EXPECT_EQ(surfaces::windowU(2), 0.36);
    EXPECT_EQ(surfaces::doorU(4), 1.2);
    EXPECT_EQ(surfaces::doorU(8), 0.45);
}

namespace {

class Form10Test : public PageFixture {
protected:
    void SetUp() override
    {
        PageFixture::SetUp();
        DM1->Database1->exec(QStringLiteral("INSERT INTO bankvh (Shproje, Shsk, Tabage, Shvahed, Ertefa) VALUES (7, 7, 1, 1, 10)"));
        DM1->Database1->exec(QStringLiteral("INSERT INTO faza (Faza) VALUES ('هال')"));
        DM1->Database1->exec(QStringLiteral("INSERT INTO bankfz (Shproje, Shsk, Tabage, Shvahed, Faza, Codefaza, Ti_, To_) "
                                            "VALUES (7, 7, 1, 1, 'هال', 1, 70.4, 27.6)"));
        DM1->Table3->refresh();
        DM1->Table4->open();
        showPage(Form10);
    }

    // Chooses an item of the focused list with the arrow keys.
    void choose(int index)
    {
        auto *c = qobject_cast<QComboBox *>(target(Form10));
        ASSERT_NE(c, nullptr);
        while (c->currentIndex() < index)
            press(Form10, Qt::Key_Down);
        while (c->currentIndex() > index)
            press(Form10, Qt::Key_Up);
    }
    void enter() { press(Form10, Qt::Key_Return); }
    // A choice is clicked on its round indicator (at the right, text runs
    // right to left).
    static QPoint onIndicator(QWidget *choice) { return QPoint(choice->width() - 8, choice->height() / 2); }

    // A wall, window or door by the keyboard: kind, state, direction, area,
    // then F2. With `touchState` the state list is changed on the way even
    // when it already shows the wanted state.
    void addSide(int kind, int state, int direction, const QString &area, bool touchState = false)
    {
        press(Form10, Qt::Key_Insert);
        ASSERT_TRUE(Form10->entryState());
        ASSERT_EQ(target(Form10), Form10->ComboBox1);
        choose(kind);
        enter();
        ASSERT_EQ(target(Form10), Form10->ComboBox2);
        if (touchState)
            choose(1 - state);
        choose(state);
        enter();
        ASSERT_EQ(target(Form10), Form10->ComboBox3);
        choose(direction);
        enter();
        ASSERT_EQ(target(Form10), Form10->DE1);
        type(Form10, area);
        press(Form10, Qt::Key_F2);
    }

    struct Surface {
        QString word;
        double kind;
        int state, direction;
        QVariant masa1, masa2, to, ti, z1, z2;
    };
    static QVector<Surface> surfacesStored()
    {
        QVector<Surface> out;
        for (const auto &r : rows(QStringLiteral("SELECT Jedare, Id_jedar, Id_njedar, Id_gjedar, Masa1, Masa2, To_, Ti_, "
                                                 "Z_1, Z_2 FROM bankjd ORDER BY No"))
                                 .rows)
            out.append({r[0].toString(), r[1].toDouble(), r[2].toInt(), r[3].toInt(), r[4], r[5], r[6], r[7], r[8], r[9]});
        return out;
    }
};

} // namespace

TEST_F(Form10Test, NewSurfacesTakePresetsTemperaturesAndTheDuplicateCheck)
{
    addSide(0, 1, 0, QStringLiteral("100")); // external wall, north
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    EXPECT_FALSE(Form10->entryState());
    auto s = surfacesStored();
    ASSERT_EQ(s.size(), 1);
    EXPECT_EQ(s[0].word, QStringLiteral("ديوار"));
    EXPECT_EQ(s[0].kind, 0);
    EXPECT_EQ(s[0].state, 1);
    EXPECT_EQ(s[0].direction, 0);
    EXPECT_EQ(s[0].masa1, 100.0);
    EXPECT_EQ(s[0].to, 28.0); // the space's outdoor temperature, rounded
    EXPECT_EQ(s[0].ti, 70.0);
    EXPECT_EQ(s[0].z1, 0.35); // the project's external wall
    EXPECT_EQ(DM1->Table5->fieldByName(QStringLiteral("Nnjedar")).asString(), QStringLiteral("خارجي"));
    EXPECT_EQ(DM1->Table5->fieldByName(QStringLiteral("Ngjedar")).asString(), QStringLiteral("شمالي"));

    addSide(0, 1, 0, QStringLiteral("50")); // a second one facing north
    EXPECT_EQ(testsupport::takeMessages(), QStringList{QStringLiteral("جدار انتخاب شده تكراري است ")});
    EXPECT_TRUE(Form10->entryState());
    press(Form10, Qt::Key_Escape);
    EXPECT_FALSE(Form10->entryState());

    addSide(0, 1, 1, QStringLiteral("80")); // external, south
    // Internal, north, state list never touched: the outdoor temperature.
    addSide(0, 0, 0, QStringLiteral("60"));
    // An internal window whose state was chosen: the inside temperature.
    addSide(1, 0, 2, QStringLiteral("12"), true);
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    s = surfacesStored();
    ASSERT_EQ(s.size(), 4);
    EXPECT_EQ(s[2].z1, 0.52);
    EXPECT_EQ(s[2].to, 28.0);
    EXPECT_EQ(s[3].word, QStringLiteral("پنجره"));
    EXPECT_EQ(s[3].z1, 0.65); // internal window preset
    EXPECT_EQ(s[3].to, 70.0);
}

TEST_F(Form10Test, EditingChecksOnlyChangedCodesAndKeepsUValuesAndTemperatures)
{
    addSide(0, 1, 0, QStringLiteral("100"));
    addSide(0, 1, 1, QStringLiteral("80"));
    addSide(2, 0, 3, QStringLiteral("21"), true); // internal door, far side at the inside temperature
    ASSERT_TRUE(testsupport::takeMessages().isEmpty());
    // The corridor beyond the door is colder than the room.
    DM1->Database1->exec(QStringLiteral("UPDATE bankjd SET To_ = 50 WHERE Id_jedar = 2"));
    DM1->Table5->refresh();

    // The north wall: a new area, no check.
    ASSERT_TRUE(DM1->Table5->locate(QStringLiteral("Id_gjedar"), {0}));
    Form10->DBGrid1->setFocus();
    press(Form10, Qt::Key_Return);
    ASSERT_TRUE(Form10->entryState());
    EXPECT_EQ(Form10->lists().kind, 0);
    EXPECT_EQ(Form10->lists().state, 1);
    EXPECT_EQ(Form10->lists().direction, 0);
    Form10->DE1->setFocus();
    retype(Form10, QStringLiteral("120"));
    press(Form10, Qt::Key_F2);
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());

    // The south wall turned north: refused. Turned internal: its U stays.
    ASSERT_TRUE(DM1->Table5->locate(QStringLiteral("Id_gjedar"), {1}));
    press(Form10, Qt::Key_Return);
    Form10->ComboBox3->setFocus();
    choose(0);
    press(Form10, Qt::Key_F2);
    EXPECT_EQ(testsupport::takeMessages(), QStringList{QStringLiteral("جدار انتخاب شده تكراري است ")});
    Form10->ComboBox2->setFocus();
    choose(0);
    EXPECT_EQ(Form10->de3->text(), QStringLiteral("0.35"));
    EXPECT_EQ(Form10->de2->text(), QStringLiteral("28"));
    press(Form10, Qt::Key_F2);
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());

    // The door keeps the temperature of its far side when edited.
    ASSERT_TRUE(DM1->Table5->locate(QStringLiteral("Id_jedar"), {2}));
    press(Form10, Qt::Key_Return);
    EXPECT_EQ(Form10->de2->text(), QStringLiteral("50"));
    Form10->DE1->setFocus();
    retype(Form10, QStringLiteral("24"));
    press(Form10, Qt::Key_F2);

    const auto s = surfacesStored();
    ASSERT_EQ(s.size(), 3);
    EXPECT_EQ(s[0].masa1, 120.0);
    EXPECT_EQ(s[1].state, 0);
    EXPECT_EQ(s[1].direction, 0);
    EXPECT_EQ(s[1].z1, 0.35);
    EXPECT_EQ(s[2].masa1, 24.0);
    EXPECT_EQ(s[2].to, 50.0);
    EXPECT_EQ(s[2].z1, 0.45);
}

TEST_F(Form10Test, FloorsAndRoofs)
{
    // A new floor starts off the ground with the external roof's U.
    press(Form10, Qt::Key_Insert);
    choose(4);
    EXPECT_TRUE(Form10->ComboBox2->isHidden());
    EXPECT_FALSE(Form10->ComboBox5->isHidden());
    EXPECT_EQ(Form10->ComboBox5->currentIndex(), 1);
    EXPECT_EQ(Form10->de3->text(), QStringLiteral("0.31"));
    enter();
    EXPECT_EQ(target(Form10), Form10->ComboBox5);
    enter();
    EXPECT_EQ(target(Form10), Form10->DE1); // no direction for a floor
    type(Form10, QStringLiteral("150"));
    press(Form10, Qt::Key_F2);
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());

    // On the ground: no U, the perimeter instead.
    press(Form10, Qt::Key_Insert);
    choose(4);
    enter();
    choose(0);
    EXPECT_TRUE(Form10->de3->isHidden());
    EXPECT_FALSE(Form10->DE7->isHidden());
    enter();
    EXPECT_EQ(target(Form10), Form10->DE7);
    type(Form10, QStringLiteral("44"));
    enter();
    type(Form10, QStringLiteral("150"));
    enter();
    enter();
    EXPECT_EQ(target(Form10), Form10->ComboBox1); // past the temperature, round to the kind
    press(Form10, Qt::Key_F2);
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());

    // An external roof over a false ceiling.
    press(Form10, Qt::Key_Insert);
    choose(3);
    EXPECT_EQ(Form10->Label3->text(), QStringLiteral("نوع سقف خارجي"));
    enter();
    choose(1);
    EXPECT_EQ(Form10->ComboBox4->currentIndex(), 0);
    EXPECT_EQ(Form10->de3->text(), QStringLiteral("0.31"));
    enter();
    EXPECT_EQ(target(Form10), Form10->ComboBox4);
    choose(1);
    EXPECT_EQ(Form10->de3->text(), QStringLiteral("0.42"));
    EXPECT_EQ(Form10->de6->text(), QStringLiteral("0.31"));
    EXPECT_FALSE(Form10->de4->isHidden());
    enter();
    type(Form10, QStringLiteral("150"));
    for (QWidget *next : {static_cast<QWidget *>(Form10->de2), static_cast<QWidget *>(Form10->de3),
                          static_cast<QWidget *>(Form10->de4)}) {
        enter();
        EXPECT_EQ(target(Form10), next);
    }
    type(Form10, QStringLiteral("140"));
    press(Form10, Qt::Key_F2);
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());

    // The same roof made internal: the ceiling type is cleared and disabled.
    ASSERT_TRUE(DM1->Table5->locate(QStringLiteral("Id_jedar"), {3}));
    Form10->DBGrid1->setFocus();
    press(Form10, Qt::Key_Return);
    EXPECT_EQ(Form10->ComboBox4->currentIndex(), 1);
    Form10->ComboBox2->setFocus();
    choose(0);
    EXPECT_EQ(Form10->ComboBox4->currentIndex(), -1);
    EXPECT_FALSE(Form10->ComboBox4->isEnabled());
    EXPECT_TRUE(Form10->de4->isHidden());
    press(Form10, Qt::Key_F2);
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());

    const auto s = surfacesStored();
    ASSERT_EQ(s.size(), 3);
    EXPECT_EQ(s[0].word, QStringLiteral("كف"));
    EXPECT_EQ(s[0].state, 1);
    EXPECT_EQ(s[0].direction, -1);
    EXPECT_EQ(s[0].z1, 0.31);
    EXPECT_EQ(s[1].state, 0);
    EXPECT_EQ(s[1].direction, -1);
    EXPECT_EQ(s[1].masa2, 44.0);
    EXPECT_EQ(s[1].masa1, 150.0);
    EXPECT_EQ(s[2].word, QStringLiteral("سقف"));
    EXPECT_EQ(s[2].state, 0);
    EXPECT_EQ(s[2].direction, -1);
    EXPECT_EQ(s[2].z1, 0.42);
    EXPECT_EQ(s[2].z2, 0.31);
    EXPECT_EQ(s[2].masa2, 140.0);
}

TEST_F(Form10Test, WindowAndDoorTypePanels)
{
    // An internal door: its preset "0.45" preselects the 2-inch wooden door.
    press(Form10, Qt::Key_Insert);
    choose(2);
    EXPECT_EQ(Form10->de3->text(), QStringLiteral("0.45"));
    Form10->de3->setFocus();
    press(Form10, Qt::Key_F5);
    ASSERT_TRUE(Form10->typePanelShown());
    EXPECT_FALSE(Form10->Panel6->isHidden());
    EXPECT_FALSE(Form10->Panel2->isEnabled());
    EXPECT_FALSE(Form10->Label19->isEnabled());
    EXPECT_EQ(Form10->focusWidget(), Form10->choiceButton(3 + 1));
    press(Form10, Qt::Key_F2); // the command bar is off while the panel is open
    EXPECT_TRUE(Form10->entryState());
    press(Form10, Qt::Key_Escape);
    EXPECT_FALSE(Form10->typePanelShown());
    EXPECT_EQ(Form10->de3->text(), QStringLiteral("0.45"));
    EXPECT_EQ(Form10->focusWidget(), Form10->de3);

    // A click writes at once; Esc keeps what the click wrote.
    press(Form10, Qt::Key_F5);
    QTest::mouseClick(Form10->choiceButton(3 + 4), Qt::LeftButton, {}, onIndicator(Form10->choiceButton(3 + 4)));
    EXPECT_EQ(Form10->de3->text(), QStringLiteral("1.2"));
    press(Form10, Qt::Key_Escape);
    EXPECT_EQ(Form10->de3->text(), QStringLiteral("1.2"));
    // Reopened, the metal door is focused; Enter applies the focused one.
    press(Form10, Qt::Key_F5);
    EXPECT_EQ(Form10->focusWidget(), Form10->choiceButton(3 + 4));
    Form10->choiceButton(3 + 9)->setFocus();
    press(Form10, Qt::Key_Return);
    EXPECT_FALSE(Form10->typePanelShown());
    EXPECT_EQ(Form10->de3->text(), QStringLiteral("0.6"));

    // Windows: the label beside the U-value opens the window panel.
    Form10->ComboBox1->setFocus();
    choose(1);
    EXPECT_EQ(Form10->de3->text(), QStringLiteral("0.65"));
    Form10->Label15->click();
    EXPECT_FALSE(Form10->Panel5->isHidden());
    EXPECT_EQ(Form10->focusWidget(), Form10->choiceButton(1));
    QTest::mouseDClick(Form10->choiceButton(2), Qt::LeftButton, {}, onIndicator(Form10->choiceButton(2)));
    EXPECT_FALSE(Form10->typePanelShown());
    EXPECT_EQ(Form10->de3->text(), QStringLiteral("0.36"));
    press(Form10, Qt::Key_F2);
    EXPECT_EQ(surfacesStored().value(0).z1, 0.36);
}

TEST_F(Form10Test, UValueFromMaterialLayers)
{
    int answer = 13;
    onModal = [&](QWidget *w) {
        if (w == Form4 && answer != 0) {
            UValueRequest.Key = uint8_t(answer);
            UValueRequest.U = 0.403;
        }
        return 0;
    };
    press(Form10, Qt::Key_Insert);
    choose(0);
    enter();
    choose(1); // external wall
    Form10->de3->setFocus();
    press(Form10, Qt::Key_F5);
    EXPECT_EQ(modalsShown, QStringList{QStringLiteral("Form4")});
    EXPECT_EQ(UValueRequest.CallerName, QStringLiteral("Form10"));
    EXPECT_EQ(UValueRequest.TargetName, QStringLiteral("de3"));
    EXPECT_EQ(UValueRequest.Kind, 1);
    EXPECT_EQ(Form4->Label23->text(), QStringLiteral("ديوار خارجي"));
    EXPECT_EQ(Form10->de3->text(), QStringLiteral("0.403"));

    // Esc in the dialog, or its window closed without an answer: no change.
    DM1->Table5->fieldByName(QStringLiteral("Z_1")).setAsFloat(0.5);
    answer = 27;
    press(Form10, Qt::Key_F5);
    EXPECT_EQ(Form10->de3->text(), QStringLiteral("0.5"));
    answer = 0;
    press(Form10, Qt::Key_F5);
    EXPECT_EQ(Form10->de3->text(), QStringLiteral("0.5"));

    // The false ceiling: kind 3, its own input, the heading left as it was.
    answer = 13;
    Form10->ComboBox1->setFocus();
    choose(3);
    Form10->ComboBox2->setFocus();
    choose(1);
    Form10->ComboBox4->setFocus();
    choose(1);
    Form10->Label15->click();
    EXPECT_EQ(UValueRequest.Kind, 4);
    EXPECT_EQ(Form4->Label23->text(), QStringLiteral("(سقف خارجي (كاذب"));
    Form10->de6->setFocus();
    press(Form10, Qt::Key_F5);
    EXPECT_EQ(UValueRequest.Kind, 3);
    EXPECT_EQ(UValueRequest.TargetName, QStringLiteral("de6"));
    EXPECT_EQ(Form4->Label23->text(), QStringLiteral("(سقف خارجي (كاذب"));
    EXPECT_EQ(Form10->de6->text(), QStringLiteral("0.403"));

    // A floor on the ground has no U-value to ask for.
    modalsShown.clear();
    Form10->ComboBox1->setFocus();
    choose(4);
    Form10->ComboBox5->setFocus();
    choose(0);
    Form10->Label15->click();
    EXPECT_TRUE(modalsShown.isEmpty());
}

TEST_F(Form10Test, NumberInputsAndPastedText)
{
    press(Form10, Qt::Key_Insert);
    choose(0);
    Form10->DE1->setFocus();
    type(Form10, QStringLiteral("-5"));
    EXPECT_EQ(Form10->DE1->text(), QStringLiteral("5"));
    EXPECT_EQ(testsupport::takeMessages(), QStringList{QStringLiteral(" عدد معتبر است")});
    Form10->de2->setText(QStringLiteral("1.2.3"));
    press(Form10, Qt::Key_F2);
    EXPECT_EQ(testsupport::takeMessages(), QStringList{QStringLiteral(" عدد معتبر است")});
    EXPECT_TRUE(Form10->entryState());
    EXPECT_EQ(count(QStringLiteral("bankjd")), 0);
    // The far side may lie below 0 F: its minus sign goes in, shows after
    // the digits once the input is left, and is stored in front.
    Form10->de2->setFocus();
    retype(Form10, QStringLiteral("-5"));
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    Form10->DE1->setFocus();
    EXPECT_EQ(Form10->de2->text(), QStringLiteral("5-"));
    press(Form10, Qt::Key_F2);
    EXPECT_FALSE(Form10->entryState());
    ASSERT_EQ(surfacesStored().size(), 1);
    EXPECT_EQ(surfacesStored()[0].to, -5.0);
}

TEST_F(Form10Test, KeysLeaveThePageOrTheWholeChain)
{
    press(Form10, Qt::Key_Escape);
    EXPECT_EQ(modalsShown, QStringList{QStringLiteral("Form3")});
    modalsShown.clear();
    // F3 during entry does nothing; from browse it closes every page of the
    // chain with its table.
    showPage(Form8);
    showPage(Form9);
    showPage(Form10);
    press(Form10, Qt::Key_Insert);
    press(Form10, Qt::Key_F3);
    EXPECT_TRUE(Form10->isVisible());
    press(Form10, Qt::Key_Escape);
    press(Form10, Qt::Key_F3);
    EXPECT_FALSE(Form10->isVisible());
    EXPECT_FALSE(Form9->isVisible());
    EXPECT_FALSE(Form8->isVisible());
    EXPECT_FALSE(DM1->Table5->active());
    EXPECT_FALSE(DM1->Table4->active());
    EXPECT_FALSE(DM1->Table3->active());
    EXPECT_EQ(count(QStringLiteral("bankjd")), 0);
}

TEST_F(Form10Test, CalculatorKeyReportsAProgramThatCannotStart)
{
    // F12 starts the calculator of the data folder and waits for it; this
    // data folder has none, which is reported and leaves the page as it was.
    press(Form10, Qt::Key_F12);
    const QStringList shown = testsupport::takeMessages();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("Failed to excecute program"))) << shown[0].toStdString();
    EXPECT_TRUE(shown[0].contains(QStringLiteral("Rodiz.exe"))) << shown[0].toStdString();
    EXPECT_TRUE(Form10->isVisible());
    EXPECT_FALSE(Form10->entryState());
}
