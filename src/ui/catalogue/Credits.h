#pragma once

// The credit pieces of the About page and the splash window, as string
// literals so that they join into constant texts here and in the language
// tables. All UTF-8.

#define BREVANT_CREDIT_PROGRAMMER "Brevant 团队"
#define BREVANT_CREDIT_COLOUR_DESIGN "Brevant 团队"
// The same credits in the other interface languages.
#define BREVANT_CREDIT_PROGRAMMER_INTL "Brevant team"
#define BREVANT_CREDIT_COLOUR_DESIGN_INTL "Brevant team"
#define BREVANT_PUBLISHER_ZH "VLOK 软件"
#define BREVANT_PUBLISHER_EN "VLOK Software"
#define BREVANT_PRODUCT_NAME "Brevant"

// Provided by the build; the fallback keeps the header usable on its own.
#ifndef BREVANT_UPDATE_BASE_URL
#define BREVANT_UPDATE_BASE_URL "https://download.brevant.org/releases/assets/"
#endif
// The download address the About page shows: a page for a browser on the
// same host.
#ifndef BREVANT_RELEASES_PAGE_URL
#define BREVANT_RELEASES_PAGE_URL "https://download.brevant.org/releases/"
#endif

// The product line of the About page: publisher, product and version.
#ifndef BREVANT_VERSION
#define BREVANT_VERSION "2.8.1"
#endif
#define BREVANT_PRODUCT_LINE BREVANT_PUBLISHER_EN "-" BREVANT_PRODUCT_NAME " V" BREVANT_VERSION
