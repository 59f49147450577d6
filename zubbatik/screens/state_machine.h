// The screen state machine: every screen is a state number with an entry
// action and an event handler. EnterState makes a state current and runs its
// entry; HandleEvent routes every event of the program to the current state.
#pragma once

#include <cstdint>

namespace zb {

enum ScreenState : uint16_t {
  Startup = 1,
  Quit = 2,
  LanguageMenuOpening = 5,
  LanguageMenu = 6,
  LanguageMenuClosing = 7,
  MainMenuOpening = 10,
  GameOpening = 11,
  LessonOpening = 12,
  KeyboardMenuOpening = 13,
  LayoutMenuOpening = 14,
  LevelMenuOpening = 15,
  SoundSwitchTurning = 16,
  MouseSwitchTurning = 17,
  RecordsMenuOpening = 18,
  ExitClosing = 19,
  MainMenu = 20,
  KeyboardMenu = 21,
  LayoutMenu = 22,
  LevelMenu = 23,
  GameReturning = 30,
  KeyboardMenuClosing = 31,
  LayoutMenuClosing = 32,
  LevelMenuClosing = 33,
  SoundSwitch = 34,
  MouseSwitch = 35,
  ExitChosen = 37,
  Game = 50,
  GameResume = 51,
  Lesson = 60,
  NameEntryOpening = 100,
  RecordsOpening = 120,
  NameEntry = 150,
  Records = 160,
  NameToRecords = 200,
  RecordsClosing = 210,
};

// How a state behaves between its entry and the next state.
enum class StateKind : uint8_t {
  Pass,        // its entry action enters the next state at once
  Transition,  // a one-shot animation on slot 0; moves on at AnimationDone
  Menu,        // waits for input; its handler decides
  Mode,        // the game or the lesson; every event goes to the mode
};

struct StateInfo {
  uint16_t number;
  const char* name;
  StateKind kind;
  uint16_t next;         // transitions: the state entered at AnimationDone
  bool onlyFromSlot0;    // transitions: only an AnimationDone of slot 0 counts
};

using EntryAction = void (*)();
using EventHandler = void (*)(uint16_t code, uint32_t argument);

// The row of the state table for a state, or nullptr for a number outside it.
const StateInfo* stateInfo(uint16_t state);

// Screens and modes attach their entry actions and handlers here.
void setEntryAction(uint16_t state, EntryAction entry);
void setEventHandler(uint16_t state, EventHandler handler);
// Forgets every entry action and handler and resets the current state to 0.
void resetStateMachine();

uint16_t currentState();
void EnterState(uint16_t state);
void HandleEvent(uint16_t code, uint32_t argument);

// Called with every state stored by EnterState (scripted runs print them).
void setStateObserver(void (*observer)(uint16_t state));

}  // namespace zb
