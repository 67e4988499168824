000010*----------------------------------------------------------------
000020* ACCTREC - ACCOUNT RECORD AND INTEREST PARAMETERS
000030*----------------------------------------------------------------
000040 01  ACCOUNT-RECORD.
000050     05  ACCT-NUMBER             PIC 9(10).
000060     05  ACCT-CUST-NUMBER        PIC 9(08).
000070     05  ACCT-TYPE               PIC X(02).
000080         88  ACCT-SAVINGS        VALUE 'SV'.
000090         88  ACCT-CURRENT        VALUE 'CU'.
000100     05  ACCT-BALANCE            PIC S9(11)V99 COMP-3.
000110     05  ACCT-RATE               PIC 9(02)V9(04) COMP-3.
000120     05  ACCT-LAST-POSTED        PIC 9(08).
