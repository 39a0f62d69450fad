/* Resource identifiers shared by velmora.rc and the program code. */
#ifndef VELMORA_RESOURCE_H
#define VELMORA_RESOURCE_H

/* Icons */
#define IDI_VELMORA 1 /* program icon (also the executable's file icon) */

/* Strings */
#define IDS_APPTITLE 1 /* application title: "Velmora" */

/* Data */
#define IDR_TEXTS 1    /* the translations, an RCDATA table in each language */
#define IDR_LANGUAGE 2 /* beside each, the language's name: "el", "pt_BR" */

#endif /* VELMORA_RESOURCE_H */
