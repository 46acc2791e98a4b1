#pragma once

// Every window of the program, created once in this order and freed in the reverse one.
namespace desk {

void createForms();
void freeForms();

}  // namespace desk
