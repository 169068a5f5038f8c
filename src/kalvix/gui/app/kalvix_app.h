#pragma once

namespace kalvix::gui {

// The application: builds the catalogue, creates the main window and runs it until it closes.
class CKalvixApp {
  public:
    int run(int argc, char** argv);
};

}  // namespace kalvix::gui
