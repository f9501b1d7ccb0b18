#pragma once

class QMenuBar;

// Fills the main menu: every menu and item with its caption, object name
// (the item's name; a menu's own action gets "Action" appended), visibility
// and status tip. Hidden items exist and stay hidden.
void BuildMainMenu(QMenuBar *bar);
