#include "app/startup.h"

int main(int argc, char** argv) {
    return vkr::runLauncher(argc, argv);
}
