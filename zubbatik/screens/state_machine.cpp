#include "screens/state_machine.h"

#include <array>
#include <cstddef>

#include "engine/events.h"

namespace zb {

namespace {

using K = StateKind;

constexpr StateInfo kStates[] = {
    {Startup, "Startup", K::Pass, LanguageMenuOpening, false},
    {Quit, "Quit", K::Pass, 0, false},
    {LanguageMenuOpening, "LanguageMenuOpening", K::Transition, LanguageMenu, false},
    {LanguageMenu, "LanguageMenu", K::Menu, LanguageMenuClosing, false},
    {LanguageMenuClosing, "LanguageMenuClosing", K::Transition, MainMenu, false},
    {MainMenuOpening, "MainMenuOpening", K::Transition, MainMenu, true},
    {GameOpening, "GameOpening", K::Transition, Game, false},
    {LessonOpening, "LessonOpening", K::Transition, Lesson, false},
    {KeyboardMenuOpening, "KeyboardMenuOpening", K::Transition, KeyboardMenu, true},
    {LayoutMenuOpening, "LayoutMenuOpening", K::Transition, LayoutMenu, true},
    {LevelMenuOpening, "LevelMenuOpening", K::Transition, LevelMenu, true},
    {SoundSwitchTurning, "SoundSwitchTurning", K::Transition, SoundSwitch, false},
    {MouseSwitchTurning, "MouseSwitchTurning", K::Transition, MouseSwitch, false},
    {RecordsMenuOpening, "RecordsMenuOpening", K::Transition, Records, true},
    {ExitClosing, "ExitClosing", K::Transition, ExitChosen, false},
    {MainMenu, "MainMenu", K::Menu, 0, false},
    {KeyboardMenu, "KeyboardMenu", K::Menu, KeyboardMenuClosing, false},
    {LayoutMenu, "LayoutMenu", K::Menu, LayoutMenuClosing, false},
    {LevelMenu, "LevelMenu", K::Menu, LevelMenuClosing, false},
    {GameReturning, "GameReturning", K::Transition, GameResume, false},
    {KeyboardMenuClosing, "KeyboardMenuClosing", K::Transition, MainMenu, false},
    {LayoutMenuClosing, "LayoutMenuClosing", K::Transition, MainMenu, false},
    {LevelMenuClosing, "LevelMenuClosing", K::Transition, MainMenu, false},
    {SoundSwitch, "SoundSwitch", K::Pass, MainMenu, false},
    {MouseSwitch, "MouseSwitch", K::Pass, MainMenu, false},
    {ExitChosen, "ExitChosen", K::Pass, Quit, false},
    {Game, "Game", K::Mode, 0, false},
    {GameResume, "GameResume", K::Mode, 0, false},
    {Lesson, "Lesson", K::Mode, 0, false},
    {NameEntryOpening, "NameEntryOpening", K::Transition, NameEntry, false},
    {RecordsOpening, "RecordsOpening", K::Transition, Records, true},
    {NameEntry, "NameEntry", K::Menu, NameToRecords, false},
    {Records, "Records", K::Menu, RecordsClosing, false},
    {NameToRecords, "NameToRecords", K::Transition, Records, true},
    {RecordsClosing, "RecordsClosing", K::Transition, MainMenu, false},
};

constexpr std::array<int8_t, 256> buildIndex() {
  std::array<int8_t, 256> index{};
  for (auto& i : index) i = -1;
  for (std::size_t i = 0; i < std::size(kStates); ++i) index[kStates[i].number] = static_cast<int8_t>(i);
  return index;
}

constexpr std::array<int8_t, 256> kIndex = buildIndex();

EntryAction entries[std::size(kStates)] = {};
EventHandler handlers[std::size(kStates)] = {};
uint16_t current = 0;
void (*observer)(uint16_t) = nullptr;

int indexOf(uint16_t state) { return state < kIndex.size() ? kIndex[state] : -1; }

}  // namespace

const StateInfo* stateInfo(uint16_t state) {
  int i = indexOf(state);
  return i < 0 ? nullptr : &kStates[i];
}

void setEntryAction(uint16_t state, EntryAction entry) {
  int i = indexOf(state);
  if (i >= 0) entries[i] = entry;
}

void setEventHandler(uint16_t state, EventHandler handler) {
  int i = indexOf(state);
  if (i >= 0) handlers[i] = handler;
}

void resetStateMachine() {
  for (auto& e : entries) e = nullptr;
  for (auto& h : handlers) h = nullptr;
  current = 0;
}

uint16_t currentState() { return current; }

void setStateObserver(void (*fn)(uint16_t)) { observer = fn; }

void EnterState(uint16_t state) {
  // Stored first: an entry action that enters another state leaves that
  // later state current.
  current = state;
  if (observer != nullptr) observer(state);
  int i = indexOf(state);
  if (i >= 0 && entries[i] != nullptr) entries[i]();
}

void HandleEvent(uint16_t code, uint32_t argument) {
  if (code > RightClick) return;
  uint16_t state = current;
  int i = indexOf(state);
  if (i < 0) return;
  const StateInfo& info = kStates[i];
  switch (info.kind) {
    case StateKind::Transition:
      if (code == AnimationDone && (!info.onlyFromSlot0 || argument == 0)) EnterState(info.next);
      break;
    case StateKind::Menu:
    case StateKind::Mode:
      if (handlers[i] != nullptr) handlers[i](code, argument);
      break;
    case StateKind::Pass:
      break;
  }
}

}  // namespace zb
