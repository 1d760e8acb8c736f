#include "ClientDataSet.h"
#include "DataSource.h"
#include "Exception.h"
#include "Field.h"
#include "MessageBox.h"
#include "TDBSpeedButton.h"
#include "TMenuItem.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

QApplication& app()
{
    static int argc = 1;
    static char name[] = "dbnav_tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's test input devices are torn down at exit and must not outlive
    // the application object.
    static QApplication* instance = new QApplication(argc, argv);
    return *instance;
}

// Every test makes widgets, and ctest runs each test in a process of its own: the
// application object must exist before the first test, whichever that is.
class QtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override { app(); }
};
[[maybe_unused]] const auto* const qtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

// A customer list in memory with `rows` records, open on the first.
std::unique_ptr<TClientDataSet> customers(int rows)
{
    auto cds = std::make_unique<TClientDataSet>();
    cds->fieldDefs().add("CUST_ID", FieldType::String, 10, true);
    cds->fieldDefs().add("CUST_NAME", FieldType::String, 50);
    cds->createDataSet();
    for (int i = 1; i <= rows; ++i) {
        cds->append();
        cds->fieldByName("CUST_ID")->setAsString("C" + std::to_string(i));
        cds->fieldByName("CUST_NAME")->setAsString("Name " + std::to_string(i));
        cds->post();
    }
    cds->first();
    return cds;
}

class NavButtons : public ::testing::Test {
protected:
    void SetUp() override
    {
        app();
        form = std::make_unique<QWidget>();
        source = std::make_unique<TDataSource>();
        for (TDBButtonType type : {nbFirst, nbPrior, nbNext, nbLast}) {
            auto* button = new TDBSpeedButton(form.get());
            button->setDataButtonType(type);
            button->setDataSource(source.get());
            buttons[type] = button;
        }
    }
    // Enabled states of First, Prior, Next, Last.
    std::vector<bool> states() const
    {
        std::vector<bool> out;
        for (TDBButtonType type : {nbFirst, nbPrior, nbNext, nbLast})
            out.push_back(buttons.at(type)->isEnabled());
        return out;
    }

    std::unique_ptr<QWidget> form;
    std::unique_ptr<TDataSource> source;
    std::map<TDBButtonType, TDBSpeedButton*> buttons;
};

using States = std::vector<bool>;

TEST_F(NavButtons, EnabledStatesFollowThePositionEmptinessAndEditing)
{
    EXPECT_EQ(states(), States({false, false, false, false})) << "no dataset";

    auto cds = customers(3);
    source->setDataSet(cds.get());
    EXPECT_EQ(states(), States({false, false, true, true})) << "at the first record";
    cds->next();
    EXPECT_EQ(states(), States({true, true, true, true})) << "in the middle";
    cds->last();
    EXPECT_EQ(states(), States({true, true, false, false})) << "at the last record";
    cds->edit();
    EXPECT_EQ(states(), States({false, false, false, false})) << "while editing";
    cds->cancel();
    EXPECT_EQ(states(), States({true, true, false, false})) << "editing ended";

    auto empty = customers(0);
    source->setDataSet(empty.get());
    EXPECT_EQ(states(), States({false, false, false, false})) << "empty dataset (switching re-evaluates)";
    source->setDataSet(cds.get());
    EXPECT_EQ(states(), States({true, true, false, false}));
    cds->close();
    EXPECT_EQ(states(), States({false, false, false, false})) << "closed";
}

TEST_F(NavButtons, ClicksMoveTheDataset)
{
    auto cds = customers(3);
    source->setDataSet(cds.get());
    buttons[nbLast]->click();
    EXPECT_EQ(cds->recNo(), 3);
    buttons[nbPrior]->click();
    EXPECT_EQ(cds->recNo(), 2);
    buttons[nbFirst]->click();
    EXPECT_EQ(cds->recNo(), 1);
    buttons[nbNext]->click();
    EXPECT_EQ(cds->recNo(), 2);
}

TEST_F(NavButtons, RuntimeEnabledFalseKeepsTheButtonDisabledUntilTheProgramEnablesIt)
{
    auto cds = customers(3);
    source->setDataSet(cds.get());
    TDBSpeedButton* next = buttons[nbNext];
    next->setEnabled(false);
    EXPECT_FALSE(next->RuntimeEnabled());
    cds->first();
    cds->prior();
    source->setDataSet(nullptr);
    source->setDataSet(cds.get());
    EXPECT_FALSE(next->isEnabled());

    // Enabling hands the button back to the evaluation, which may disable it at once.
    cds->last();
    next->setEnabled(true);
    EXPECT_TRUE(next->RuntimeEnabled());
    EXPECT_FALSE(next->isEnabled());
    cds->first();
    EXPECT_TRUE(next->isEnabled());
}

TEST_F(NavButtons, DisablingAButtonTheEvaluationHasAlreadyDisabledKeepsItDisabled)
{
    auto cds = customers(3);
    source->setDataSet(cds.get());
    TDBSpeedButton* first = buttons[nbFirst];
    ASSERT_FALSE(first->isEnabled()) << "at the first record";

    first->setEnabled(false);
    EXPECT_FALSE(first->RuntimeEnabled());
    cds->next();
    cds->last();
    EXPECT_FALSE(first->isEnabled()) << "the program's disabling holds through every move";

    // The other ways a program disables a widget count the same.
    TDBSpeedButton* prior = buttons[nbPrior];
    cds->first();
    ASSERT_FALSE(prior->isEnabled());
    prior->setDisabled(true);
    cds->next();
    EXPECT_FALSE(prior->isEnabled());
    EXPECT_FALSE(prior->RuntimeEnabled());

    first->setEnabled(true);
    EXPECT_TRUE(first->RuntimeEnabled());
    EXPECT_TRUE(first->isEnabled()) << "handed back to the evaluation, in the middle";
    cds->first();
    EXPECT_FALSE(first->isEnabled());
    cds->next();
    EXPECT_TRUE(first->isEnabled()) << "a button the evaluation disabled follows the dataset again";
}

TEST_F(NavButtons, ARemovedDataSourceLeavesTheButtonsWithoutOneAndDisabled)
{
    auto cds = customers(3);
    source->setDataSet(cds.get());
    cds->next();
    source.reset();
    for (auto& [type, button] : buttons) {
        EXPECT_EQ(button->DataSource(), nullptr);
        EXPECT_FALSE(button->isEnabled());
    }
}

TEST_F(NavButtons, OnEnabledChangedFiresOnlyOnAChange)
{
    auto cds = customers(3);
    int changes = 0;
    buttons[nbFirst]->OnEnabledChanged = [&](QObject*) { ++changes; };
    source->setDataSet(cds.get());  // stays disabled at the first record
    EXPECT_EQ(changes, 0);
    cds->next();
    EXPECT_EQ(changes, 1);
    cds->next();
    EXPECT_EQ(changes, 1);
}

struct ButtonFixture {
    ButtonFixture()
    {
        app();
        cds = customers(3);
        source.setDataSet(cds.get());
    }
    TDBSpeedButton* make(TDBButtonType type)
    {
        auto* button = new TDBSpeedButton(&form);
        button->setDataButtonType(type);
        button->setDataSource(&source);
        return button;
    }
    QWidget form;
    std::unique_ptr<TClientDataSet> cds;
    TDataSource source;
};

TEST(DBSpeedButton, DeleteAsksUnlessConfirmDeleteIsOff)
{
    ButtonFixture f;
    TDBSpeedButton* del = f.make(nbDelete);
    QStringList questions;
    MessageBox::Button answer = QMessageBox::Cancel;
    MessageBox::ScopedHandler handler([&](const MessageBox::Request& request) {
        questions << request.text;
        return answer;
    });

    del->click();
    EXPECT_EQ(questions, QStringList{QStringLiteral("Delete record?")});
    EXPECT_EQ(f.cds->recordCount(), 3) << "Cancel keeps the record";

    answer = QMessageBox::Ok;
    del->click();
    EXPECT_EQ(f.cds->recordCount(), 2);

    del->setConfirmDelete(false);
    del->click();
    EXPECT_EQ(questions.size(), 2) << "no question without ConfirmDelete";
    EXPECT_EQ(f.cds->recordCount(), 1);
}

TEST(DBSpeedButton, OnGetQuestionCanAskForAnyAction)
{
    ButtonFixture f;
    TDBSpeedButton* last = f.make(nbLast);
    last->OnGetQuestion = [](QObject*, QString& question, MessageBox::Buttons& buttons, int&) {
        question = QStringLiteral("Go to the end?");
        buttons = QMessageBox::Yes | QMessageBox::No;
    };
    MessageBox::Button answer = QMessageBox::No;
    MessageBox::ScopedHandler handler([&](const MessageBox::Request&) { return answer; });
    last->click();
    EXPECT_EQ(f.cds->recNo(), 1);
    answer = QMessageBox::Yes;
    last->click();
    EXPECT_EQ(f.cds->recNo(), 3);
}

TEST(DBSpeedButton, BeforeActionCanTakeOverAndAfterActionSeesTheOutcome)
{
    ButtonFixture f;
    TDBSpeedButton* next = f.make(nbNext);
    std::vector<bool> errors;
    next->OnBeforeAction = [](QObject*, bool& done) { done = true; };
    next->OnAfterAction = [&](QObject*, bool& error) { errors.push_back(error); };
    next->click();
    EXPECT_EQ(f.cds->recNo(), 1) << "the handler took the action over";
    EXPECT_EQ(errors, std::vector<bool>({false}));

    // A custom button does nothing by itself but still reports.
    TDBSpeedButton* custom = f.make(nbCustom);
    int after = 0;
    custom->OnAfterAction = [&](QObject*, bool&) { ++after; };
    custom->click();
    EXPECT_EQ(after, 1);
}

TEST(DBSpeedButton, AFailingActionPropagatesUnlessAfterActionClearsTheError)
{
    ButtonFixture f;
    TDBSpeedButton* post = f.make(nbPost);
    f.cds->edit();
    f.cds->fieldByName("CUST_ID")->clear();  // required field left empty: posting fails

    EXPECT_THROW(post->DoAction(), EDatabaseError) << "no handler: the error propagates";

    int calls = 0;
    post->OnAfterAction = [&](QObject*, bool& error) {
        ++calls;
        EXPECT_TRUE(error);
        error = false;
    };
    EXPECT_NO_THROW(post->DoAction());
    EXPECT_EQ(calls, 1);

    post->OnAfterAction = [&](QObject*, bool&) { ++calls; };
    EXPECT_THROW(post->DoAction(), EDatabaseError) << "the handler leaves Error set";
    EXPECT_EQ(calls, 2);
}

TEST(DBSpeedButton, AProgramHintSurvivesTypeAndLanguageChangesADefaultHintFollows)
{
    app();
    QWidget form;
    TDBSpeedButton own(&form);
    own.setHint(QStringLiteral("首筆記錄"));
    own.setDataButtonType(nbFirst);
    own.setLanguage(blGerman);
    own.setDataButtonType(nbLast);
    EXPECT_EQ(own.Hint(), QStringLiteral("首筆記錄"));

    TDBSpeedButton plain(&form);
    plain.setLanguage(blUSEnglish);
    plain.setDataButtonType(nbNext);
    EXPECT_EQ(plain.Hint(), QStringLiteral("Next"));
    plain.setLanguage(blGerman);
    EXPECT_EQ(plain.Hint(), QStringLiteral("Vor"));
    plain.setDataButtonType(nbRefresh);
    EXPECT_EQ(plain.Hint(), QStringLiteral("Aktualisieren"));
    plain.setLanguage(blPortugues);
    EXPECT_EQ(plain.Hint(), QStringLiteral("Atualiza"));
    // The last language set becomes the default of new buttons.
    TDBSpeedButton later(&form);
    EXPECT_EQ(later.Language(), blPortugues);
    plain.setLanguage(blUSEnglish);
}

TEST(DBSpeedButton, DefaultPicturesComeFromTheProgramResources)
{
    app();
    QWidget form;
    TDBSpeedButton button(&form);
    const std::pair<TDBButtonType, QSize> cases[] = {
        {nbFirst, {28, 13}}, {nbPrior, {20, 13}}, {nbNext, {20, 13}}, {nbLast, {28, 13}},
        {nbInsert, {28, 13}}, {nbAppend, {28, 13}}, {nbDelete, {28, 13}}, {nbEdit, {28, 13}},
        {nbPost, {28, 13}}, {nbCancel, {28, 13}}, {nbRefresh, {28, 13}},
    };
    for (const auto& [type, size] : cases) {
        button.setDataButtonType(type);
        EXPECT_EQ(button.Glyph().size(), size) << type;
        EXPECT_EQ(button.NumGlyphs(), 2);
        EXPECT_FALSE(button.customGlyph());
    }
    // Insert and Append share one picture; the disabled half differs from the normal one.
    button.setDataButtonType(nbInsert);
    const QImage insert = button.Glyph();
    button.setDataButtonType(nbAppend);
    EXPECT_EQ(button.Glyph(), insert);
    EXPECT_NE(insert.copy(0, 0, 14, 13), insert.copy(14, 0, 14, 13));

    button.setGlyph(QImage(16, 16, QImage::Format_RGB32));
    EXPECT_TRUE(button.customGlyph());
    button.setDataButtonType(nbCustom);
    EXPECT_EQ(button.Glyph().size(), QSize(16, 16)) << "a custom button keeps its picture";
}

TEST(DBSpeedButton, LoadingKeepsAStoredPictureAndReasonsAndLoadsTheDefaultOtherwise)
{
    ButtonFixture f;
    TDBSpeedButton stored(&f.form);
    stored.setLoading(true);
    stored.setDataButtonType(nbPrior);
    EXPECT_EQ(stored.DisableReasons(), TDBBDisableReasons({drBOF, drEditing, drEmpty}));
    stored.setDisableReasons({drEmpty});  // the form's own reasons, read after the type
    stored.setGlyph(QImage(15, 15, QImage::Format_RGB32));
    stored.setDataSource(&f.source);
    stored.setLoading(false);
    stored.loaded();
    EXPECT_EQ(stored.Glyph().size(), QSize(15, 15));
    EXPECT_TRUE(stored.isEnabled()) << "at the first record, but drBOF is not among its reasons";

    TDBSpeedButton plain(&f.form);
    plain.setLoading(true);
    plain.setDataButtonType(nbPrior);
    plain.setLoading(false);
    plain.loaded();
    EXPECT_EQ(plain.Glyph().size(), QSize(20, 13));
}

TEST(DBSpeedButton, AMenuItemClicksTheButtonThenItsOwnHandlerAndFollowsItsState)
{
    ButtonFixture f;
    TDBSpeedButton* next = f.make(nbNext);
    auto item = std::make_unique<TMenuItem>();
    std::vector<int> seen;
    item->OnClick = [&](QObject*) { seen.push_back(f.cds->recNo()); };
    next->setMenuItem(item.get());
    EXPECT_TRUE(item->Enabled());

    item->trigger();
    EXPECT_EQ(f.cds->recNo(), 2);
    EXPECT_EQ(seen, std::vector<int>({2})) << "the item's own handler runs after the action";

    f.cds->last();
    EXPECT_FALSE(item->Enabled());

    next->setMenuItem(nullptr);
    f.cds->first();
    item->setEnabled(true);
    item->trigger();
    EXPECT_EQ(f.cds->recNo(), 1) << "unlinked: only the item's own handler";
    EXPECT_EQ(seen.size(), 2u);

    next->setMenuItem(item.get());
    item.reset();
    EXPECT_EQ(next->MenuItem(), nullptr);
}

TEST(DBSpeedButton, HeldPriorAndNextRepeatOtherTypesDoNot)
{
    ButtonFixture f;
    f.cds = customers(30);
    f.source.setDataSet(f.cds.get());
    TDBSpeedButton* next = f.make(nbNext);
    TDBSpeedButton* last = f.make(nbLast);
    next->resize(40, 30);
    last->resize(40, 30);
    EXPECT_TRUE(next->autoRepeat());
    EXPECT_FALSE(last->autoRepeat());
    EXPECT_TRUE(f.make(nbPrior)->autoRepeat());

    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_EQ(f.cds->recNo(), 2) << "a short click moves once";

    // Held past the 400 ms delay, the button repeats every 100 ms, then clicks on release.
    QTest::mousePress(next, Qt::LeftButton);
    QTest::qWait(750);
    QTest::mouseRelease(next, Qt::LeftButton);
    EXPECT_GE(f.cds->recNo(), 4);
}

}
