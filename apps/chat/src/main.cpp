#include "app/launch.h"

int main(int argc, char** argv)
{
    chat::install_blob_store();
    return orvo_ui::launch::run_or_exit(chat::launch_description(), argc, argv);
}
