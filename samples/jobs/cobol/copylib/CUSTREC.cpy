000010*----------------------------------------------------------------
000020* CUSTREC - CUSTOMER MASTER RECORD, 200 BYTES
000030*----------------------------------------------------------------
000040 01  CUSTOMER-RECORD.
000050     05  CUST-KEY.
000060         10  CUST-BRANCH         PIC X(04).
000070         10  CUST-NUMBER         PIC 9(08).
000080     05  CUST-NAME               PIC X(40).
000090     05  CUST-ADDRESS.
000100         10  CUST-STREET         PIC X(40).
000110         10  CUST-CITY           PIC X(30).
000120         10  CUST-POSTCODE       PIC X(10).
000130     05  CUST-STATUS             PIC X(01).
000140         88  CUST-ACTIVE         VALUE 'A'.
000150         88  CUST-CLOSED         VALUE 'C'.
000160     05  CUST-OPENED             PIC 9(08).
000170     05  CUST-CREDIT-LIMIT       PIC S9(09)V99 COMP-3.
000180     05  CUST-BALANCE            PIC S9(09)V99 COMP-3.
000190     05  FILLER                  PIC X(47).
