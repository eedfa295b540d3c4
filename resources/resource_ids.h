// Resource numbers the programs' code and their resource scripts share.
#pragma once

// A manifest a program makes active only while it shows a dialog box.
#define DIALOG_MANIFEST_RESOURCE_ID 101
