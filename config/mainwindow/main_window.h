#pragma once
#include "common/edition/edition.h"
#include "common/language/language.h"
#include <array>
#include <deque>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "common/settings/layouts.h"
#include "common/settings/model.h"
#include "platform/platform.h"
#include "config/tools/tools.h"
#include "platform/ui/window.h"

namespace scourix {

class Ordner;
class CleanNow;
class Mt;
class TauntPreview;
class Diereckt;
class Shellstart;
class Stadkiller;
class Infofenster;

// Scourix's main window: the game folder, the pilots, the switches, the own ship logos and
// taunts with what to do with all others, the statistics option, the game settings page and
// the menus. It holds the player's settings; the tool windows reach them, and the few controls
// they fill, through the Owner interface.
class MainWindow : public ui::Window, public Owner {
  public:
    // The language menu offers the languages of `languages`.
    explicit MainWindow(platform::Platform& p,
                        std::span<const lang::Row> languages = lang::kLanguages);
    ~MainWindow() override;

    void load() override;
    bool queryUnload() override;
    void unload() override;

    // Writes scourix.ini, logos.ini, taunts.ini and keys.ini from the controls. False when a
    // file could not be written; the player has then been told which one.
    bool sichern() override;
    // Sets every language-dependent caption in the player's language, from the caption table.
    void sprache();
    std::vector<Caption> captionTable();
    // The player's language: as read, or as chosen in the "scourix language" menu since.
    lang::Language language() const override { return settings_.language; }

    // The custom-file browser and the clean-now window; each exists once.
    Ordner& ordner();
    CleanNow& anzeiger();
    // The sound tester's options window; it owns the search window `sucher`.
    Mt& mt();
    // The tool windows: direct join, side programs, statistics remover, info; each exists once.
    Diereckt& diereckt();
    Shellstart& shellstart();
    Stadkiller& stadkiller();
    Infofenster& infofenster();
    // "-" & switch & " " for each selected line of the switch list, in list order.
    std::string switchString() const;

    platform::Platform& platform() { return p_; }
    // The game in the folder d3path names: its edition, program and folders.
    edition::Game game() override { return edition::describe(p_, d3path.text()); }
    const settings::Store& store() const override { return store_; }

    // What the tool windows reach.
    ui::Window& window() override { return *this; }
    settings::PlayerSettings& settings() override { return settings_; }
    Session& session() override { return session_; }
    std::string folder(Folder field) const override;
    void setFolder(Folder field, const std::string& path) override;
    bool addOwn(cleaning::Kind kind, const std::string& name) override;
    void addPilot(const std::string& name) override;
    void testerChanged() override;
    void endSoon() override { beendenauto.setEnabled(true); }
    // The language menu's entry of a language; the first entry for one it does not offer.
    ui::MenuItem& languageEntry(lang::Language l);

    // The check box of a setting, by the control name its row in settings::kScourixRows gives;
    // the control of any kind, for its caption.
    ui::CheckBox& box(std::string_view name);
    ui::Control& control(std::string_view name);

    // The remembered pilot name: as read at load, as chosen at save time.
    std::string pilot;
    // The switch flags: the text after "***" of keys.ini.
    std::string flags;

  private:
    platform::Platform& p_;
    std::span<const lang::Row> languages_;
    settings::Store store_;
    // scourix.ini as last read or saved; the controls show it, the sound tester's path and
    // flag and the language live only here.
    settings::PlayerSettings settings_;
    Session session_;
    // Where the window stood when it opened.
    std::optional<ui::ScreenPoint> openedAt_;
    // The check boxes of the settings, made where they are placed.
    std::deque<ui::CheckBox> boxes_;
    // A setting's check box, in `frame`.
    ui::CheckBox& bound(const char* name, ui::Frame& frame);
    // The controls the settings' rows name: model to controls, and back.
    void showSettings();
    void takeSettings();

  public:
    // Shortcut panel, hidden at start.
    ui::Frame verknupf{*this, "verknupf"};
    ui::Label Label7{*this, "Label7", &verknupf};
    ui::Label Label10{*this, "Label10", &verknupf};
    ui::Label Label9{*this, "Label9", &verknupf};
    ui::TextBox cle{*this, "cle", &verknupf};
    ui::Label Label8{*this, "Label8", &verknupf};
    ui::TextBox cstart{*this, "cstart", &verknupf};
    ui::Button verkok{*this, "verkok", &verknupf};
    ui::Button verkc{*this, "verkc", &verknupf};

    // Game settings page, hidden while closed.
    ui::Frame d3misc{*this, "d3misc"};
    ui::Frame Frame6{*this, "Frame6", &d3misc};
    ui::Label Label3{*this, "Label3", &Frame6};
    ui::TextBox username{*this, "username", &Frame6};
    ui::Label Label4{*this, "Label4", &Frame6};
    ui::TextBox passwort{*this, "passwort", &Frame6};
    ui::Button update{*this, "update", &d3misc};
    ui::Frame Frame10{*this, "Frame10", &d3misc};
    ui::OptionButton keyus{*this, "keyus", &Frame10};
    ui::OptionButton keyfr{*this, "keyfr", &Frame10};
    ui::OptionButton keyger{*this, "keyger", &Frame10};
    ui::Frame Frame9{*this, "Frame9", &d3misc};
    ui::ComboBox d3sprache{*this, "d3sprache", &Frame9};
    ui::Frame Frame7{*this, "Frame7", &d3misc};
    ui::OptionButton iconnone{*this, "iconnone", &Frame7};
    ui::OptionButton icondialup{*this, "icondialup", &Frame7};
    ui::OptionButton iconlan{*this, "iconlan", &Frame7};
    ui::Frame Frame8{*this, "Frame8", &d3misc};
    ui::OptionButton csmodem{*this, "csmodem", &Frame8};
    ui::OptionButton csisdn{*this, "csisdn", &Frame8};
    ui::OptionButton cscable{*this, "cscable", &Frame8};
    ui::OptionButton csfast{*this, "csfast", &Frame8};
    ui::Label Label1{*this, "Label1", &d3misc};
    ui::Label d3version{*this, "d3version", &d3misc};
    ui::Button d3sichern{*this, "d3sichern", &d3misc};
    ui::Button d3abbruch{*this, "d3abbruch", &d3misc};

    // Game folder.
    ui::Frame master{*this, "master"};
    ui::Label txt1{*this, "txt1", &master};
    ui::TextBox d3path{*this, "d3path", &master};
    ui::Button d3pathbrowser{*this, "d3pathbrowser", &master};

    // Pilots.
    ui::Frame Frame1{*this, "Frame1"};
    ui::Label txt7{*this, "txt7", &Frame1};
    ui::ListBox pilotname{*this, "pilotname", &Frame1, true};
    ui::Button pilothinzu{*this, "pilothinzu", &Frame1};
    ui::Button pilotwech{*this, "pilotwech", &Frame1};

    // Own ship logos.
    ui::Frame Frame3{*this, "Frame3"};
    ui::Label txt3{*this, "txt3", &Frame3};
    ui::ListBox logo{*this, "logo", &Frame3};
    ui::Button logoplus{*this, "logoplus", &Frame3};
    ui::Button logominus{*this, "logominus", &Frame3};
    ui::OptionButton nologoaktion{*this, "nologoaktion", &Frame3};
    ui::OptionButton grafkill{*this, "grafkill", &Frame3};
    ui::OptionButton usegraficsicher{*this, "usegraficsicher", &Frame3};
    ui::Label txt5{*this, "txt5", &Frame3};
    ui::TextBox graficsicherpath{*this, "graficsicherpath", &Frame3};
    ui::Button graficsicherbrowser{*this, "graficsicherbrowser", &Frame3};
    ui::Button auslagergraf{*this, "auslagergraf", &Frame3};

    // Statistics files.
    ui::Frame Frame5{*this, "Frame5"};
    ui::Button delstadjetzt{*this, "delstadjetzt", &Frame5};

    // Command-line switches.
    ui::Frame Frame2{*this, "Frame2"};
    ui::Label txt4{*this, "txt4", &Frame2};
    ui::ListBox keylist{*this, "keylist", &Frame2, true};
    ui::Button newkey{*this, "newkey", &Frame2};
    ui::Button keyanders{*this, "keyanders", &Frame2};
    ui::Button keyloschen{*this, "keyloschen", &Frame2};

    // Own taunts.
    ui::Frame Frame4{*this, "Frame4"};
    ui::Label txt2{*this, "txt2", &Frame4};
    ui::ListBox mysounds{*this, "mysounds", &Frame4};
    ui::Button mysoundsplus{*this, "mysoundsplus", &Frame4};
    ui::Button mysoundminus{*this, "mysoundminus", &Frame4};
    ui::Button play1{*this, "play1", &Frame4};
    ui::OptionButton nosoundaktion{*this, "nosoundaktion", &Frame4};
    ui::OptionButton soundkill{*this, "soundkill", &Frame4};
    ui::OptionButton usesoundssicheern{*this, "usesoundssicheern", &Frame4};
    ui::Label txt6{*this, "txt6", &Frame4};
    ui::TextBox soundssicherpath{*this, "soundssicherpath", &Frame4};
    ui::Button soundssicherbrowser{*this, "soundssicherbrowser", &Frame4};
    ui::Button auslagersound{*this, "auslagersound", &Frame4};

    ui::Timer anzeigerstart{*this, "anzeigerstart", 500};
    ui::Timer beendenauto{*this, "beendenauto", 200};
    ui::Timer Playerstart{*this, "Playerstart", 200};
    ui::Timer Zeitaus{*this, "Zeitaus", 3800};

    // Menu bar; sprache() gives the entries their captions.
    ui::MenuItem m1{*this, "m1", ""};
    ui::MenuItem m11{*this, "m11", "", &m1};
    // An entry for each language, named as its row says ("m111" ...), in the table's order.
    const std::vector<std::unique_ptr<ui::MenuItem>> languageEntries = [this] {
        std::vector<std::unique_ptr<ui::MenuItem>> out;
        for (const lang::Row& r : languages_)
            out.push_back(std::make_unique<ui::MenuItem>(*this, r.entry, "", &m11));
        return out;
    }();
    ui::MenuItem m14{*this, "m14", "-", &m1};
    ui::MenuItem m18{*this, "m18", "", &m1};
    ui::MenuItem m16{*this, "m16", "-", &m1};
    ui::MenuItem m17{*this, "m17", "", &m1};
    ui::MenuItem m15{*this, "m15", "", &m1};
    ui::MenuItem m2{*this, "m2", ""};
    ui::MenuItem m21{*this, "m21", "", &m2};
    ui::MenuItem m22{*this, "m22", "", &m2};
    ui::MenuItem m23{*this, "m23", "", &m2};
    ui::MenuItem m24{*this, "m24", "", &m2};
    ui::MenuItem m4{*this, "m4", ""};
    ui::MenuItem m41{*this, "m41", "", &m4};
    ui::MenuItem m42{*this, "m42", "", &m4};
    ui::MenuItem m43{*this, "m43", "", &m4};
    ui::MenuItem m44{*this, "m44", "", &m4};
    ui::MenuItem m3{*this, "m3", ""};
    ui::MenuItem m31{*this, "m31", "MusicTester", &m3};
    ui::MenuItem m32{*this, "m32", "-", &m3};
    ui::MenuItem m33{*this, "m33", "Scourix", &m3};

  private:
    // Load steps.
    // False when a file failed; `failed` names it.
    bool readSettings(std::string& failed);
    bool recover(lang::Language l);
    void recoveryStuck(const std::string& fileName);
    void fillPilots();
    void offerFoundGame();
    void offerGameData();
    std::string dataOffered_; // the game folder last offered the game's data
    void panelsUsable(bool on);
    bool save(bool lastPilot, bool closing);
    // Tells the player which settings files could not be written.
    void writeFailed(const std::vector<std::string>& fileNames);
    // A Yes/No/Cancel question in the player's language.
    platform::Answer ask(const lang::Message& question);
    void tell(const lang::Message& text);

    // Handlers.
    void d3pathChange();
    void browse(const std::string& mode, bool focus = false);
    void removeCurrent(ui::ListBox& list);
    void newkeyClick();
    void keyandersClick();
    std::string askSwitch(const std::string& prompt, const std::string& title,
                          const std::string& start);
    void pilotnameSelect();
    void usepilotClick();
    void pilotwechClick();
    void backupChoice(ui::OptionButton& backup, ui::TextBox& path, ui::Button& browser);
    // Checks the entry of the language alone; none when the settings named no language.
    void checkLanguage(lang::Language l, bool named);
    void chooseLanguage(lang::Language l);
    void m15Click();
    void m18Click();
    void d3sichernClick();
    void closePage();
    void m21Click();
    void m22Click();
    void anzeigerstartTick();
    void beendenautoTick();
    void play1Click();

    // The other windows the main window closes: while saving at its close, and at its unload,
    // which closes the direct-join window too.
    std::vector<ui::Window*> toolWindows(bool unloading);
    // Time test and frame-rate log.
    void m23Click();
    void m24Click();
    // Appends the switch block to fps.txt; false (and the file unchanged) when it cannot.
    bool appendFps(const std::string& path);
    bool noTimeTest();
    // Whether the game in the game folder has the time test and its frame-rate log.
    bool hasTimeTest();
    // Desktop shortcuts.
    void m41Click();
    void shortcutPanel(bool open);
    void verkokClick();
    enum class Link { Created, Exists, Failed };
    Link makeShortcut(const std::string& name, const std::string& program);
    std::string desktopMissing();

    std::unique_ptr<Ordner> ordner_;
    std::unique_ptr<CleanNow> anzeiger_;
    std::unique_ptr<Diereckt> diereckt_;
    std::unique_ptr<Shellstart> shellstart_;
    std::unique_ptr<Stadkiller> stadkiller_;
    std::unique_ptr<Infofenster> infofenster_;
    std::unique_ptr<Mt> mt_;
    std::unique_ptr<TauntPreview> preview_;
};

} // namespace scourix
