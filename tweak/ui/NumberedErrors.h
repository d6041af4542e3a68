#pragma once

// Every numbered error the system shows, with its text: the number tells the person (and whoever
// they write to) which place failed, so each number has one meaning and one wording.

#include <string>

namespace ovrimo {

enum class ErrorNumber : int {
    // A whole page.
    PageTooFull = 121,     // more icons on the page than its grid has pieces for
    NoPageGrid = 122,      // the page's grid has no cells: there is no frame to crop to
    PageLibraryCopy = 123, // the page's custom icons could not be copied into the library first
    // Writing an icon.
    NoIconShape = 130, // an icon to be shaped beforehand has no shape to shape it with
    NoStoreFile = 131, // the icon's key names no file in the store (a folder whose name holds "/")
    // The icon sheet.
    NoIconForSheet = 143, // the sheet's trigger belongs to no icon
    // Saving an icon's image into the library.
    NoEditedIcon = 150,
    NoIconImageView = 151,
    NoIconImage = 152,
    LibraryWrite = 153, // the image could not be written into the library
    LibraryCopy = 154,  // a custom icon could not be copied into the library before it was replaced or removed
    // Pictures for the editor.
    NoPicture = 160,     // none arrived, or the cropper cut nothing
    NoIconLibrary = 161, // the icon library browser could not be opened
    // The icon library browser.
    LibraryRemove = 401,
    LibraryMove = 402,
    LibraryBackup = 403,
    LibraryRestore = 404,
    LibraryDelete = 405,
};

struct NumberedErrorText {
    ErrorNumber number;
    // What follows "Error N! ". A %@ stands for the name the message is about.
    const char* text;
};

inline constexpr const char* kSomethingWentWrong = "Something went wrong. Please try again, if the error continues then contact me!";

inline constexpr NumberedErrorText kNumberedErrors[] = {
    { ErrorNumber::PageTooFull, kSomethingWentWrong },
    { ErrorNumber::NoPageGrid, kSomethingWentWrong },
    { ErrorNumber::PageLibraryCopy,
        "The custom icons of this page could not be copied to the icon library, so they were kept and nothing was changed. Please try again, if the error "
        "continues then contact me!" },
    { ErrorNumber::NoIconShape, kSomethingWentWrong },
    { ErrorNumber::NoStoreFile, kSomethingWentWrong },
    { ErrorNumber::NoIconForSheet, "Something went wrong. Please try again, if the error continues then contact the developer!" },
    { ErrorNumber::NoEditedIcon, kSomethingWentWrong },
    { ErrorNumber::NoIconImageView, kSomethingWentWrong },
    { ErrorNumber::NoIconImage, kSomethingWentWrong },
    { ErrorNumber::LibraryWrite, kSomethingWentWrong },
    { ErrorNumber::LibraryCopy,
        "The custom icon for %@ could not be copied to the icon library, so it was kept and nothing was changed. Please try again, if the error continues "
        "then contact me!" },
    { ErrorNumber::NoPicture, kSomethingWentWrong },
    { ErrorNumber::NoIconLibrary, kSomethingWentWrong },
    { ErrorNumber::LibraryRemove, "The icon could not be removed. Please try again, if the error continues then contact the developer!" },
    { ErrorNumber::LibraryMove,
        "The current icon could not be moved to the icon library, so nothing was changed. Please try again, if the error continues then contact the developer!" },
    { ErrorNumber::LibraryBackup, "The backup failed and no directory was created. Please try again, if the error continues then contact the developer!" },
    { ErrorNumber::LibraryRestore, "The restore failed. Your custom icons were left as they were. Please try again, if the error continues then contact the developer!" },
    { ErrorNumber::LibraryDelete, "The directory %@ could not be deleted completely. Please try again, if the error continues then contact the developer!" },
};

// "Error N! " and the number's text, `name` in place of its %@.
std::string ErrorMessage(ErrorNumber number, const std::string& name = std::string());

} // namespace ovrimo
