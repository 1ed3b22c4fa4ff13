// Process entry: everything happens in runApplication.
#include "app/application.h"

int main(int argc, char** argv) { return runApplication(argc, argv); }
