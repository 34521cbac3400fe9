// The home page button's work: the address in the settings goes to the browser.
#pragma once

// Asks the shell to open the home page address when it is a web address; anything else is
// refused quietly. Returns whether the shell was asked.
bool OpenHomePage();
