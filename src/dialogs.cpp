// The feature dialogs' library; its sources come from the dialog folders.
