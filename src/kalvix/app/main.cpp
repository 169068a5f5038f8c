#include "kalvix/gui/app/kalvix_app.h"

int main(int argc, char** argv) {
    return kalvix::gui::CKalvixApp().run(argc, argv);
}
